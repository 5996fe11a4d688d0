#pragma once

// Brings up the class library (the QApplication under the application object),
// runs the program's start-up sequence and ends it: returns the exit code, 0
// once the main form has closed, 1 when an error escaped the start-up, after
// the application-error box. Without a display to connect to, or without a font
// for Japanese text, it prints one line on standard error and returns 1.
int RunProgram(int argc, char* argv[], void (*startUp)());
