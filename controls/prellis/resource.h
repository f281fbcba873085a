// Ids of prellis's resources.
#pragma once

#define IDI_PRELLIS 101
