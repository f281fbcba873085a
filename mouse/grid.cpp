#include "mouse/grid.h"

bool grid_cell_at(int px, int py, int block_width, int block_height, int* x, int* y) {
    if (block_width <= 0 || block_height <= 0 || px < 0 || py < 0) return false;
    int cx = px / block_width, cy = py / block_height;
    if (cx >= GRID_CELLS || cy >= GRID_CELLS) return false;
    *x = cx;
    *y = cy;
    return true;
}

static int clamp_cell(int p, int block) {
    if (block <= 0) return 0;
    int c = p / block;
    if (c > GRID_CELLS - 1) c = GRID_CELLS - 1;
    return c < 0 ? 0 : c;
}

void grid_nearest_cell(int px, int py, int block_width, int block_height, int* x, int* y) {
    *x = clamp_cell(px, block_width);
    *y = clamp_cell(py, block_height);
}

bool grid_move(UINT vk, int* x, int* y) {
    int nx = *x, ny = *y;
    switch (vk) {
    case VK_UP: ny--; break;
    case VK_DOWN: ny++; break;
    case VK_LEFT: nx--; break;
    case VK_RIGHT: nx++; break;
    case VK_HOME: nx = 0; break;
    case VK_END: nx = GRID_CELLS - 1; break;
    default: return false;
    }
    *x = (nx + GRID_CELLS) % GRID_CELLS;
    *y = (ny + GRID_CELLS) % GRID_CELLS;
    return true;
}
