// The per-thread error information object.
#include <oleauto.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "sandbox/sandbox.h"

namespace {

IErrorInfo* MakeErrorInfo(const char16_t* description) {
  ICreateErrorInfo* create = nullptr;
  EXPECT_EQ(CreateErrorInfo(&create), S_OK);
  create->SetDescription(const_cast<LPOLESTR>(description));
  create->SetSource(const_cast<LPOLESTR>(u"Sablewing.Test"));
  create->SetHelpContext(17);
  IErrorInfo* info = nullptr;
  EXPECT_EQ(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)), S_OK);
  create->Release();
  return info;
}

TEST(ErrorInfo, GetHandsItOverOnce) {
  IErrorInfo* info = MakeErrorInfo(u"disk on fire");
  ASSERT_EQ(SetErrorInfo(0, info), S_OK);
  info->Release();  // the thread keeps its own reference

  IErrorInfo* got = reinterpret_cast<IErrorInfo*>(0xdeadbeef);
  ASSERT_EQ(GetErrorInfo(0, &got), S_OK);
  ASSERT_EQ(got, info);
  BSTR text = nullptr;
  ASSERT_EQ(got->GetDescription(&text), S_OK);
  EXPECT_EQ(std::u16string(text), u"disk on fire");
  SysFreeString(text);
  DWORD context = 0;
  EXPECT_EQ(got->GetHelpContext(&context), S_OK);
  EXPECT_EQ(context, 17u);
  got->Release();

  got = reinterpret_cast<IErrorInfo*>(0xdeadbeef);
  EXPECT_EQ(GetErrorInfo(0, &got), S_FALSE);  // taken: nothing left
  EXPECT_EQ(got, nullptr);
  EXPECT_EQ(GetErrorInfo(1, &got), E_INVALIDARG);
}

TEST(ErrorInfo, BelongsToTheThreadThatSetIt) {
  IErrorInfo* info = MakeErrorInfo(u"mine");
  ASSERT_EQ(SetErrorInfo(0, info), S_OK);
  info->Release();
  std::thread([] {
    IErrorInfo* got = reinterpret_cast<IErrorInfo*>(0xdeadbeef);
    EXPECT_EQ(GetErrorInfo(0, &got), S_FALSE);
    EXPECT_EQ(got, nullptr);
  }).join();
  ASSERT_EQ(SetErrorInfo(0, nullptr), S_OK);  // releases it (ASan: no leak)
  IErrorInfo* got = nullptr;
  EXPECT_EQ(GetErrorInfo(0, &got), S_FALSE);
}

}  // namespace
