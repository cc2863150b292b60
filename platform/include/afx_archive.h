// MFC: binary serialization. CArchive over a CFile (values little-endian, as on the platform),
// CArchiveException, and CMemFile, a CFile over memory. Included by afx.h.
#pragma once

#include <string>

// An archive failure: its cause and the archive's file.
class STANDIN_API CArchiveException : public CException {
  DECLARE_DYNAMIC(CArchiveException)
 public:
  enum { none, generic, readOnly, endOfFile, writeOnly, badIndex, badClass, badSchema };

  CArchiveException(int cause = CArchiveException::none, LPCTSTR lpszArchiveName = NULL);
  ~CArchiveException() override;

  // The text of the cause, naming the file ("an unnamed file" without a name). TRUE.
  BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;

  int m_cause;
  CString m_strFileName;
};

[[noreturn]] STANDIN_API void AFXAPI AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName = NULL);

// A memory file: bytes in a block that grows by nGrowBytes (rounded up to a multiple of it).
// An attached block with nGrowBytes 0 has a fixed size: writing past it throws a memory
// exception. An owned block (and an attached one that may grow) is allocated with malloc, so
// Detach hands out memory the caller frees with free.
class STANDIN_API CMemFile : public CFile {
  DECLARE_DYNAMIC(CMemFile)
 public:
  explicit CMemFile(UINT nGrowBytes = 1024);
  CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
  ~CMemFile() override;

  void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
  // The block (NULL when there is none); the file is empty afterwards and no longer owns it.
  BYTE* Detach();

  DWORD GetPosition() const override;
  // Seeking past the end is allowed; a write there fills the gap with zeros. A position before
  // the start throws a CFileException (badSeek).
  LONG Seek(LONG lOff, UINT nFrom) override;
  void SetLength(DWORD dwNewLen) override;
  DWORD GetLength() const override;
  UINT Read(void* lpBuf, UINT nCount) override;
  void Write(const void* lpBuf, UINT nCount) override;
  void LockRange(DWORD dwPos, DWORD dwCount) override;    // not supported, as on the platform
  void UnlockRange(DWORD dwPos, DWORD dwCount) override;  // not supported, as on the platform
  void Abort() override;
  void Flush() override;
  void Close() override;

 private:
  void GrowTo(DWORD dwNewLen);
  void Free();

  UINT m_nGrowBytes;
  BYTE* m_lpBuffer = NULL;
  DWORD m_nBufferSize = 0;
  DWORD m_nFileSize = 0;
  DWORD m_nPosition = 0;
  BOOL m_bAutoDelete = TRUE;
};

// An archive writes or reads values through its own buffer and the file's Read and Write. The
// extraction operators throw CArchiveException::endOfFile (naming the archive's file) when the
// file ends before the value; Read returns what there was. A storing archive writes its buffer
// out when full, on Flush and on Close; destroyed without Close it flushes too (a failure then is
// only traced: a destructor does not throw), unless bNoFlushOnDelete.
class STANDIN_API CArchive {
 public:
  enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

  CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = NULL);
  ~CArchive();

  BOOL IsLoading() const { return (m_nMode & load) != 0; }
  BOOL IsStoring() const { return (m_nMode & load) == 0; }
  BOOL IsBufferEmpty() const { return m_nBufferPos >= m_buffer.size(); }
  CFile* GetFile() const { return m_pFile; }

  UINT Read(void* lpBuf, UINT nMax);
  void Write(const void* lpBuf, UINT nMax);
  void Flush();
  void Close();
  // Drops what is buffered and lets go of the file without writing.
  void Abort();

  CArchive& operator<<(BYTE by) { return Put(&by, 1); }
  CArchive& operator<<(char ch) { return Put(&ch, 1); }
  CArchive& operator<<(WORD w) { return PutLittleEndian(w); }
  CArchive& operator<<(short w) { return PutLittleEndian(static_cast<WORD>(w)); }
  CArchive& operator<<(LONG l) { return PutLittleEndian(static_cast<DWORD>(l)); }
  CArchive& operator<<(DWORD dw) { return PutLittleEndian(dw); }
  CArchive& operator<<(float f);
  CArchive& operator<<(double d);

  CArchive& operator>>(BYTE& by) { return Get(&by, 1); }
  CArchive& operator>>(char& ch) { return Get(&ch, 1); }
  CArchive& operator>>(WORD& w) { return GetLittleEndian(w); }
  CArchive& operator>>(short& w);
  CArchive& operator>>(LONG& l);
  CArchive& operator>>(DWORD& dw) { return GetLittleEndian(dw); }
  CArchive& operator>>(float& f);
  CArchive& operator>>(double& d);

  // The archive's file, as its path (empty for a memory file).
  CString m_strFileName;

 private:
  CArchive(const CArchive&) = delete;
  CArchive& operator=(const CArchive&) = delete;

  CArchive& Put(const void* bytes, UINT count);
  CArchive& Get(void* bytes, UINT count);
  template <class T>
  CArchive& PutLittleEndian(T value) {
    BYTE bytes[sizeof(T)];
    for (size_t i = 0; i < sizeof(T); ++i) bytes[i] = static_cast<BYTE>(value >> (8 * i));
    return Put(bytes, sizeof(T));
  }
  template <class T>
  CArchive& GetLittleEndian(T& value) {
    BYTE bytes[sizeof(T)];
    Get(bytes, sizeof(T));
    T result = 0;
    for (size_t i = 0; i < sizeof(T); ++i) result = static_cast<T>(result | static_cast<T>(bytes[i]) << (8 * i));
    value = result;
    return *this;
  }
  // Reads from the file until `count` bytes are buffered or the file ends; the bytes buffered.
  size_t Fill(size_t count);

  CFile* m_pFile;
  UINT m_nMode;
  size_t m_nBufSize;
  std::string m_buffer;     // storing: bytes not yet written; loading: bytes read ahead
  size_t m_nBufferPos = 0;  // loading: the next unread byte of m_buffer
};
