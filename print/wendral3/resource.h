#pragma once

#define IDD_PRINTDLGBOX L"PRINTDLGBOX"
