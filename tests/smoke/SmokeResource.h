#pragma once

#define IDD_SMOKE 100
#define IDC_SMOKE_NAME 101
