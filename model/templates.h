// Bridge and tower starter projects and the truck's deck.
#pragma once

void SetDefaultViewSettings();
void BuildBridgeTemplate();
void OrientDeckMembers();
void FindDeckExtent();
void PlaceTruckAtStart();
void SetupTowerProject();
