// The fixture of the dialogs' tests: the sample installation mapped and its registry loaded, COM
// entered, every modal answered by the script (strict mode), and a depot over the sample.
#pragma once

#include <gtest/gtest.h>

#include "component_catalogue.h"

class SampleDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(::OleInitialize(NULL), S_OK);
    sandbox::SetStrict(true);
    component_testing::MapSample();
  }
  void TearDown() override { ::OleUninitialize(); }

  CInformationDepot depot_;
};
