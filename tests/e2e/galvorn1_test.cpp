#include "grid_scenarios.h"

using namespace grid_scenarios;

static const wchar_t caption[] = L"Galvorn1 Mouse Hit-Test Demo";

TEST(galvorn1, clicks_toggle_exactly_the_clicked_cell) {
    clicks_toggle_exactly_the_clicked_cell(L"galvorn1", caption, false);
}

TEST(galvorn1, click_beside_the_grid_beeps_and_changes_nothing) {
    click_beside_the_grid_beeps_and_changes_nothing(L"galvorn1", caption, false);
}

TEST(galvorn1, tiny_client_area_neither_faults_nor_toggles) {
    tiny_client_area_neither_faults_nor_toggles(L"galvorn1", caption, false);
}
