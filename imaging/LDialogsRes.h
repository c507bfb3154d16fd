// Resource ids of the imaging layer's dialogs, in a range of their own so they never meet the
// programs' ids.
#pragma once

#define IDD_L_BRIGHTNESS 30501
#define IDD_L_CONTRAST 30502
#define IDD_L_ROTATE 30503

#define IDC_L_SLIDER 30510
#define IDC_L_VALUE 30511
#define IDC_L_PREVIEW 30512
#define IDC_L_RESET 30513
#define IDC_L_RESIZE 30514
#define IDC_L_VALUE_LABEL 30515
