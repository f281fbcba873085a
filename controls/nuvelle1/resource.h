// Ids of nuvelle1's resources.
#pragma once

#define IDI_NUVELLE1 L"NUVELLE1"
#define IDD_ABOUTBOX L"AboutBox"

#define IDM_ABOUT 40001
