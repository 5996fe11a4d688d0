#pragma once

#include "vcl/sysutils/Exception.h"

MORAVIN_ERROR_CLASS(EConvertError, Exception);
MORAVIN_ERROR_CLASS(EResNotFound, Exception);
MORAVIN_ERROR_CLASS(EIntError, Exception);
MORAVIN_ERROR_CLASS(EDivByZero, EIntError);
MORAVIN_ERROR_CLASS(EIntOverflow, EIntError);
