// MFC: the database classes' shared data types. So far the long binary value.
#pragma once

#include "afx.h"

// A block of bytes in global memory: m_hData is a moveable block (NULL when there is none) of
// which the first m_dwDataLength bytes count. The destructor frees the block.
class STANDIN_API CLongBinary : public CObject {
  DECLARE_DYNAMIC(CLongBinary)
 public:
  CLongBinary();
  ~CLongBinary() override;

  HGLOBAL m_hData;
  DWORD m_dwDataLength;
};
