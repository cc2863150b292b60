// Registry key and value classes. Every key is opened by create-or-open, and every key handle is
// counted in one table of the module: copies of a key object share one open handle, which is
// closed when its last holder goes.
#pragma once

#include "stdafx.h"

#include "TqException.h"

namespace TQ {

class CTqRegRefNum {
 public:
  CTqRegRefNum();
  CTqRegRefNum(const HKEY& handle);
  CTqRegRefNum(const CTqRegRefNum& other);
  CTqRegRefNum& operator=(const CTqRegRefNum& other);
  virtual ~CTqRegRefNum();

  HKEY GetHandle() const { return m_handle; }

 private:
  void Release();

  HKEY m_handle;
};

class CTqRegValues;

class CTqRegKey {
 public:
  CTqRegKey(HKEY parent, const char* subKey, DWORD options = 0, REGSAM access = KEY_ALL_ACCESS,
            LPSECURITY_ATTRIBUTES security = NULL, BOOL* existed = NULL);
  CTqRegKey(const CTqRegKey& other);
  virtual ~CTqRegKey();

  bool KeyExists(const char* name) const;
  bool ValueExists(const char* name) const;
  CTqRegValues GetValues() const;
  HKEY GetHandle() const { return m_key.GetHandle(); }

 private:
  CTqRegKey& operator=(const CTqRegKey&) = delete;

  CTqRegRefNum m_key;
  CTqRegRefNum m_parent;
  CString m_subKey;
  REGSAM m_access;
};

class CTqRegValue;

class CTqRegValues {
 public:
  explicit CTqRegValues(const CTqRegKey& key);
  virtual ~CTqRegValues();

  CTqRegValue GetValue(const char* name) const;
  DWORD GetCount() const;

 private:
  CTqRegKey m_key;
};

class CTqRegKeys {
 public:
  explicit CTqRegKeys(const CTqRegKey& key);
  virtual ~CTqRegKeys();

  DWORD GetCount() const;
  CTqRegKey OpenKey(const char* name) const;
  CTqRegKey OpenKey(const char* name, DWORD options, REGSAM access, LPSECURITY_ATTRIBUTES security,
                    BOOL* existed) const;

 private:
  CTqRegKey m_key;
};

class CTqRegValue {
 public:
  // What GetType reports.
  enum { typeString = 1, typeOther = 2, typeBinary = 3, typeDWord = 4 };

  CTqRegValue(const CTqRegKey& key, const char* name);
  virtual ~CTqRegValue();

  void GetString(CString& out) const;
  void GetDWord(DWORD& out) const;
  void GetBinary(BYTE* buffer, DWORD size) const;
  int GetType() const;
  void SetString(const char* text);
  void SetDWord(DWORD value);

 private:
  // Type and size of the stored data; a failing query throws its result.
  void Query(DWORD& type, DWORD& size) const;

  CTqRegKey m_key;
  CString m_name;
};

}  // namespace TQ
