// The view's standard print (Ctrl+P): the picture the view shows, with its
// overlay text, on one page.
#pragma once

class CSpan3DView;

void PrintViewPicture(CSpan3DView* view);
