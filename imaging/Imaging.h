// The imaging layer in one include: bitmaps and lists, files in memory, the image dialogs.
#pragma once
#include "LBase.h"
#include "LBitmapBase.h"
#include "LDialog.h"
#include "LFile.h"
#include "LTwain.h"
#include "LWia.h"
