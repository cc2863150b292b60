// The roots of the library's data classes: every value and container is a CObject, and the
// complex numbers carry their element type as a second base.
#pragma once

#include "stdafx.h"

namespace TQ {

class CTqDataObject : public CObject {
 public:
  ~CTqDataObject() override {}

 protected:
  CTqDataObject() {}
  // A data object's identity is not copied, its value is: derived values copy their fields.
  CTqDataObject(const CTqDataObject&) : CObject() {}
  CTqDataObject& operator=(const CTqDataObject&) { return *this; }
};

// The root of the complex-number values.
class CTqComplex : public CTqDataObject {
 public:
  ~CTqComplex() override {}

 protected:
  CTqComplex() {}
  CTqComplex(const CTqComplex& other) : CTqDataObject(other) {}
  CTqComplex& operator=(const CTqComplex&) { return *this; }
};

// Marks a value by its element type.
template <typename T>
class CTqDataType {
 public:
  typedef T ElementType;
};

}  // namespace TQ
