// The screen's DC for as long as the object lives.
#pragma once

#include "stdafx.h"

class CScreenDC : public CDC {
 public:
  CScreenDC();
  // Detaches the DC and gives it back to the system.
  ~CScreenDC() override;
};
