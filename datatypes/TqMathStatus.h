// The math status of the library's numeric routines: a status code becomes an exception through
// one check, while the process-wide throw switch is on.
#pragma once

#include "stdafx.h"

#include "TqException.h"

namespace TQ {

// Status codes of the numeric routines; 0 is success, the texts are CTqMathException's table.
enum MathError {
  MathErrorNone = 0,
  MathErrorOutOfMemory = -20001,
  MathErrorDivideByZero = -20060,
  MathErrorRankDeficient = 20001,
};

// A failing status with its text: "Math Exception: " and the table's text for the status, or
// "Unknown math error." for a status the table lacks.
class CTqMathException : public CTqExceptionT<MathError> {
 public:
  explicit CTqMathException(LONG status, BOOL bAutoDelete = TRUE);
  ~CTqMathException() override;
};

// The throw switch: on at process start.
bool GetMathErrorsThrow();
void SetMathErrorsThrow(bool throwErrors);

// Status 0, or any status with the switch off, returns the status. Otherwise -20001 throws the
// memory exception and every other status a new CTqMathException (auto-delete) by pointer.
LONG CheckMathStatus(LONG status);

}  // namespace TQ
