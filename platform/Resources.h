#pragma once
// Makes the resources compiled into the program reachable by name.
void InitResources();
