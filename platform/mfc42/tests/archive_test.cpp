// CArchive over CFile and CMemFile, CArchiveException, and CMemFile on its own.
#include <afx.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "sandbox/sandbox.h"
#include "sandbox/test_support.h"

namespace {

std::string Bytes(CMemFile& file) {
  const DWORD length = file.GetLength();
  std::string bytes(length, '\0');
  file.SeekToBegin();
  file.Read(bytes.data(), length);
  return bytes;
}

// Every value little-endian, in the order stored; read back through a second archive.
TEST(Archive, StoresLittleEndianAndLoadsTheSameValues) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    ar << BYTE(0x01) << WORD(0x0203) << LONG(-2) << DWORD(0x04050607) << short(-3) << char('x') << 1.5f << -0.25;
    ar.Close();
  }
  const std::string bytes = Bytes(file);
  const std::string want = std::string("\x01\x03\x02\xFE\xFF\xFF\xFF\x07\x06\x05\x04\xFD\xFFx", 14) +
                           std::string("\x00\x00\xC0\x3F", 4) + std::string("\x00\x00\x00\x00\x00\x00\xD0\xBF", 8);
  EXPECT_EQ(bytes, want);

  file.SeekToBegin();
  CArchive ar(&file, CArchive::load);
  BYTE b = 0;
  WORD w = 0;
  LONG l = 0;
  DWORD d = 0;
  short s = 0;
  char c = 0;
  float f = 0;
  double x = 0;
  ar >> b >> w >> l >> d >> s >> c >> f >> x;
  EXPECT_EQ(b, 0x01);
  EXPECT_EQ(w, 0x0203);
  EXPECT_EQ(l, -2);
  EXPECT_EQ(d, 0x04050607u);
  EXPECT_EQ(s, -3);
  EXPECT_EQ(c, 'x');
  EXPECT_EQ(f, 1.5f);
  EXPECT_EQ(x, -0.25);
  EXPECT_TRUE(ar.IsLoading());
  EXPECT_FALSE(ar.IsStoring());
}

// A value the file ends in the middle of throws endOfFile and keeps the target; Read returns
// what there was.
TEST(Archive, ShortReadThrowsEndOfFileAndKeepsTheValue) {
  BYTE three[3] = {1, 2, 3};
  CMemFile file(three, sizeof three);
  CArchive ar(&file, CArchive::load);
  DWORD value = 0xdeadbeef;
  try {
    ar >> value;
    ADD_FAILURE() << "nothing thrown";
  } catch (CArchiveException* e) {
    EXPECT_EQ(e->m_cause, CArchiveException::endOfFile);
    EXPECT_EQ(sandbox::testing::MessageOf(e), "Unexpected end of file while reading an unnamed file.");
    e->Delete();
  }
  EXPECT_EQ(value, 0xdeadbeefu);
  BYTE out[8] = {};
  EXPECT_EQ(ar.Read(out, sizeof out), 3u);
  EXPECT_EQ(out[2], 3);
}

// Over a disk file the archive names the file, and flushes on Close (and not before it fills
// its buffer).
TEST(Archive, OnADiskFileNamesTheFile) {
  sandbox::MapTempDrive('T');
  {
    CFile file("T:\\values.bin", CFile::modeCreate | CFile::modeWrite);
    CArchive ar(&file, CArchive::store, 16);
    EXPECT_EQ(std::string(ar.m_strFileName), "T:\\values.bin");
    ar << DWORD(1);
    EXPECT_EQ(file.GetLength(), 0u) << "still buffered";
    ar << DWORD(2) << DWORD(3) << DWORD(4);
    EXPECT_EQ(file.GetLength(), 16u) << "a full buffer goes out";
    ar << BYTE(5);
    ar.Close();
    EXPECT_EQ(file.GetLength(), 17u);
  }
  CFile file("T:\\values.bin", CFile::modeRead);
  CArchive ar(&file, CArchive::load);
  DWORD skip[4];
  ar >> skip[0] >> skip[1] >> skip[2] >> skip[3];
  BYTE last = 0;
  ar >> last;
  EXPECT_EQ(last, 5);
  try {
    ar >> last;
    ADD_FAILURE() << "nothing thrown";
  } catch (CArchiveException* e) {
    EXPECT_EQ(std::string(e->m_strFileName), "T:\\values.bin");
    e->Delete();
  }
  try {
    AfxThrowArchiveException(CArchiveException::badSchema, "T:\\values.bin");
  } catch (CArchiveException* e) {
    EXPECT_EQ(e->m_cause, 7);
    EXPECT_EQ(sandbox::testing::MessageOf(e), "T:\\values.bin holds data of a version that cannot be read.");
    e->Delete();
  }
}

TEST(MemFile, GrowsInStepsAndSeeksPastTheEnd) {
  CMemFile file(4);
  file.Write("abcde", 5);
  EXPECT_EQ(file.GetLength(), 5u);
  file.Seek(2, CFile::end);
  file.Write("z", 1);
  EXPECT_EQ(Bytes(file), std::string("abcde\0\0z", 8)) << "the gap is zeros";
  file.SetLength(2);
  EXPECT_EQ(Bytes(file), "ab");
  EXPECT_EQ(sandbox::testing::ThrownFileCause([&] { file.Seek(-1, CFile::begin); }), CFileException::badSeek);
  BYTE* block = file.Detach();
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(block[1], 'b');
  std::free(block);
  EXPECT_EQ(file.GetLength(), 0u);
}

// An attached block of fixed size holds its bytes as the file's content and does not grow.
TEST(MemFile, AttachedBlockOfFixedSize) {
  BYTE block[4] = {'w', 'x', 'y', 'z'};
  CMemFile file(block, sizeof block);
  EXPECT_EQ(file.GetLength(), 4u);
  file.Seek(0, CFile::end);
  try {
    file.Write("!", 1);
    ADD_FAILURE() << "nothing thrown";
  } catch (CMemoryException* e) {
    e->Delete();
  }
  EXPECT_EQ(file.GetLength(), 4u);
  EXPECT_EQ(file.Detach(), block);
}

}  // namespace
