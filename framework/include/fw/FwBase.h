// What the window half of the framework takes from the non-window half.
#pragma once
#include "fw/AfxCore.h"
#include "fw/Geometry.h"
#include "fw/ModuleState.h"
#include "fw/Object.h"
#include "fw/ResourceLanguage.h"
#include "fw/String.h"
