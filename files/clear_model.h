// Empties the model before a new one is built or loaded.
#pragma once

void ClearModel();
