#include "caps_table.h"

static constexpr table_source rows[] = {
    {4, L"HORZSIZE", L"Width in millimeters:"},
    {6, L"VERTSIZE", L"Height in millimeters:"},
    {8, L"HORZRES", L"Width in pixels:"},
    {10, L"VERTRES", L"Height in raster lines:"},
    {12, L"BITSPIXEL", L"Color bits per pixel:"},
    {14, L"PLANES", L"Number of color planes:"},
    {16, L"NUMBRUSHES", L"Number of device brushes:"},
    {18, L"NUMPENS", L"Number of device pens:"},
    {20, L"NUMMARKERS", L"Number of device markers:"},
    {22, L"NUMFONTS", L"Number of device fonts:"},
    {24, L"NUMCOLORS", L"Number of device colors:"},
    {26, L"PDEVICESIZE", L"Size of device structure:"},
    {40, L"ASPECTX", L"Relative width of pixel:"},
    {42, L"ASPECTY", L"Relative height of pixel:"},
    {44, L"ASPECTXY", L"Relative diagonal of pixel:"},
    {88, L"LOGPIXELSX", L"Horizontal dots per inch:"},
    {90, L"LOGPIXELSY", L"Vertical dots per inch:"},
    {104, L"SIZEPALETTE", L"Number of palette entries:"},
    {106, L"NUMRESERVED", L"Reserved palette entries:"},
    {108, L"COLORRES", L"Actual color resolution:"},
};
static_assert(sizeof rows / sizeof rows[0] == CAPS_ROWS, "the report has 20 rows");

static constexpr size_t bytes = stored_size(rows);
static constexpr stored_form<bytes> form = pack_table<bytes>(rows);

const unsigned char* const caps_stored = form.bytes;
const size_t caps_stored_size = bytes;
