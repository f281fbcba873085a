// Ids of nuvelle3's resources.
#pragma once

#define IDI_NUVELLE3 L"NUVELLE3"
#define IDD_ABOUTBOX L"AboutBox"

#define IDM_ABOUT 40001
