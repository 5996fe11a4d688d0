#pragma once

#include "vcl/sysutils/AnsiString.h"

#include <exception>

// The text of the application-error box for an error that escaped the start-up:
// "<class>がモジュール <module> の <offset> で発生しました。" and, on a second line,
// the message with "." after it unless it ends in one.
AnsiString ApplicationErrorText(const std::exception& error);

// Writes that text to standard error and shows it in a task-modal box titled
// "アプリケーション エラー".
void ShowApplicationError(const std::exception& error);
