#pragma once

#include "framework/IPlatform.h"

// The platform layer in use. The real one (CQtPlatform) unless a test installed another.
IPlatform& Platform();
// Installs platform for the whole process; nullptr goes back to the real one.
void InstallPlatform(IPlatform* platform);
