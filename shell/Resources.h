#pragma once
// Resource numbers shared by the resource script and the code.

#define IDD_SETTINGS 102
#define IDI_OSTREL 130
#define IDS_DESCRIPTION 1
