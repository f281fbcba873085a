// Inside the program: watching its calls of a platform function by redirecting the program's own
// import of it (the import address table of its executable).
#pragma once

// Points the program's import of `function` from `dll` at `replacement` and returns what it
// pointed at before, or null when the program does not import that function. The probe pins
// itself first, since the program's table then points into it for the rest of the process.
void* redirect_import(const char* dll, const char* function, void* replacement);
