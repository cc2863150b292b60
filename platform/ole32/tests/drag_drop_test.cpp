// OLE drag and drop: registering targets (references and documented errors) and DoDragDrop's calls
// on the source and the targets, driven by the scripted user's pointer and keys.
#include <ole2.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "sandbox/sandbox.h"
#include "sandbox/test_data_object.h"

namespace {

using sandbox::MouseButton;
using sandbox::testing::CountedDataObject;

std::vector<std::string> g_calls;

std::string Effect(DWORD effect) { return std::to_string(effect); }

// A source that decides as the documentation describes and records each call.
class Source : public IDropSource {
 public:
  STDMETHODIMP QueryInterface(REFIID, void** ppv) override {
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP QueryContinueDrag(BOOL escape, DWORD keys) override {
    if (escape) return DRAGDROP_S_CANCEL;
    if (!(keys & (MK_LBUTTON | MK_RBUTTON))) return DRAGDROP_S_DROP;
    return S_OK;
  }
  STDMETHODIMP GiveFeedback(DWORD effect) override {
    g_calls.push_back("feedback " + Effect(effect));
    return DRAGDROP_S_USEDEFAULTCURSORS;
  }
};

// A target that answers `answer` and records each call with the key state it was given; it
// counts its references.
class Target : public IDropTarget {
 public:
  Target(std::string name, DWORD answer) : name_(std::move(name)), answer_(answer) {}
  ULONG Count() const { return count_; }

  STDMETHODIMP QueryInterface(REFIID, void** ppv) override {
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++count_; }
  STDMETHODIMP_(ULONG) Release() override { return --count_; }
  STDMETHODIMP DragEnter(IDataObject*, DWORD keys, POINTL, DWORD* effect) override {
    return Answer("enter", keys, effect);
  }
  STDMETHODIMP DragOver(DWORD keys, POINTL, DWORD* effect) override { return Answer("over", keys, effect); }
  STDMETHODIMP DragLeave() override {
    g_calls.push_back(name_ + " leave");
    return S_OK;
  }
  STDMETHODIMP Drop(IDataObject*, DWORD keys, POINTL, DWORD* effect) override { return Answer("drop", keys, effect); }

 private:
  HRESULT Answer(const char* what, DWORD keys, DWORD* effect) {
    g_calls.push_back(name_ + " " + what + ((keys & MK_CONTROL) ? " ctrl" : "") + " of " + Effect(*effect));
    *effect = answer_;
    return S_OK;
  }
  std::string name_;
  DWORD answer_;
  ULONG count_ = 1;
};

// Windows a at (0, 0) and b at (200, 0), 100 x 100, with a child c in b that has no target of its own.
class DragDrop : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(OleInitialize(nullptr), S_OK);
    WNDCLASS wc{};
    wc.lpfnWndProc = DefWindowProc;
    wc.lpszClassName = "DropHere";
    RegisterClass(&wc);
    a_ = CreateWindowEx(0, "DropHere", "a", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    b_ = CreateWindowEx(0, "DropHere", "b", WS_POPUP | WS_VISIBLE, 200, 0, 100, 100, nullptr, nullptr, nullptr,
                        nullptr);
    c_ = CreateWindowEx(0, "DropHere", "c", WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, b_, nullptr, nullptr, nullptr);
    g_calls.clear();
  }
  void TearDown() override { OleUninitialize(); }

  // Starts a drag from (50, 50) with the left button down, as a program does on a press.
  HRESULT DragFromA(DWORD allowed, DWORD* effect) {
    sandbox::MovePointer(50, 50);
    sandbox::PressButton(MouseButton::kLeft);
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);  // the press is read
    return DoDragDrop(&data_, &source_, allowed, effect);
  }

  HWND a_ = nullptr, b_ = nullptr, c_ = nullptr;
  CountedDataObject data_;
  Source source_;
};

TEST_F(DragDrop, RegisteringHoldsTheTargetAndAnswersTheDocumentedErrors) {
  Target target("t", DROPEFFECT_COPY);
  EXPECT_EQ(RegisterDragDrop(a_, nullptr), E_INVALIDARG);
  EXPECT_EQ(RegisterDragDrop(reinterpret_cast<HWND>(0x12345), &target), DRAGDROP_E_INVALIDHWND);
  EXPECT_EQ(RevokeDragDrop(a_), DRAGDROP_E_NOTREGISTERED);
  ASSERT_EQ(RegisterDragDrop(a_, &target), S_OK);
  EXPECT_EQ(target.Count(), 2u);
  EXPECT_EQ(RegisterDragDrop(a_, &target), DRAGDROP_E_ALREADYREGISTERED);
  EXPECT_EQ(target.Count(), 2u);
  EXPECT_EQ(RevokeDragDrop(a_), S_OK);
  EXPECT_EQ(target.Count(), 1u);
  EXPECT_EQ(RevokeDragDrop(a_), DRAGDROP_E_NOTREGISTERED);

  // Without OLE on the thread (a multithreaded apartment, or none) registering fails.
  HRESULT other = S_OK;
  std::thread([&] { other = RegisterDragDrop(b_, &target); }).join();
  EXPECT_EQ(other, E_OUTOFMEMORY);
  EXPECT_EQ(target.Count(), 1u);
}

TEST_F(DragDrop, TheTargetsFollowThePointerAndOnlyAnEffectGetsADrop) {
  const struct {
    const char* name;
    DWORD answerA, answerB;
    DWORD allowed;
    bool ctrl;  // the user holds Ctrl before moving on
    std::vector<std::string> calls;
    DWORD effect;
  } rows[] = {
      {.name = "a drop on b's child reaches b",
       .answerA = DROPEFFECT_NONE, .answerB = DROPEFFECT_MOVE, .allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE,
       .ctrl = false,
       .calls = {"a enter of 3", "feedback 0", "a leave", "b enter of 3", "feedback 2", "b drop of 3"},
       .effect = DROPEFFECT_MOVE},
      {.name = "no drop after a none answer",
       .answerA = DROPEFFECT_NONE, .answerB = DROPEFFECT_NONE, .allowed = DROPEFFECT_COPY, .ctrl = false,
       .calls = {"a enter of 1", "feedback 0", "a leave", "b enter of 1", "feedback 0", "b leave"},
       .effect = DROPEFFECT_NONE},
      {.name = "answers are masked by the allowed effects, keys reach the target",
       .answerA = DROPEFFECT_COPY, .answerB = DROPEFFECT_MOVE | DROPEFFECT_LINK | DROPEFFECT_COPY,
       .allowed = DROPEFFECT_COPY, .ctrl = true,
       .calls = {"a enter of 1", "feedback 1", "a over ctrl of 1", "feedback 1", "a leave", "b enter ctrl of 1",
                 "feedback 1", "b drop ctrl of 1"},
       .effect = DROPEFFECT_COPY},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    g_calls.clear();
    Target targetA("a", row.answerA), targetB("b", row.answerB);
    ASSERT_EQ(RegisterDragDrop(a_, &targetA), S_OK);
    ASSERT_EQ(RegisterDragDrop(b_, &targetB), S_OK);
    sandbox::QueueAnswer("DragDrop", {0, "", [&](void*) {
                                        if (row.ctrl) sandbox::PressKey(VK_CONTROL);
                                        sandbox::MovePointer(230, 30);  // over c, in b
                                        sandbox::ReleaseButton(MouseButton::kLeft);
                                      }});
    DWORD effect = 0xdeadbeef;
    EXPECT_EQ(DragFromA(row.allowed, &effect), DRAGDROP_S_DROP);
    if (row.ctrl) sandbox::ReleaseKey(VK_CONTROL);
    EXPECT_EQ(g_calls, row.calls);
    EXPECT_EQ(effect, row.effect);
    EXPECT_EQ(data_.Count(), 1u) << "every reference to the data given back";
    EXPECT_EQ(GetCapture(), nullptr);
    RevokeDragDrop(a_);
    RevokeDragDrop(b_);
    EXPECT_EQ(targetA.Count(), 1u);
    EXPECT_EQ(targetB.Count(), 1u);
  }
}

TEST_F(DragDrop, EscapeOrNoAnswerCancels) {
  Target targetA("a", DROPEFFECT_COPY);
  ASSERT_EQ(RegisterDragDrop(a_, &targetA), S_OK);
  for (bool escape : {true, false}) {
    SCOPED_TRACE(escape ? "Escape" : "no answer");
    g_calls.clear();
    if (escape) sandbox::QueueAnswer("DragDrop", {0, "", [](void*) { sandbox::TypeKey(VK_ESCAPE); }});
    DWORD effect = 0xdeadbeef;
    EXPECT_EQ(DragFromA(DROPEFFECT_COPY, &effect), DRAGDROP_S_CANCEL);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(g_calls, (std::vector<std::string>{"a enter of 1", "feedback 1", "a leave"}));
    sandbox::ReleaseButton(MouseButton::kLeft);
  }
  const auto modals = sandbox::Modals();
  ASSERT_EQ(modals.size(), 2u) << "Escape's answer, then the empty queue";
  EXPECT_EQ(modals[0].kind, "DragDrop");
  EXPECT_EQ(modals[0].style, static_cast<unsigned>(DROPEFFECT_COPY));
  EXPECT_TRUE(modals[0].answered);
  EXPECT_FALSE(modals[1].answered);
  EXPECT_EQ(targetA.Count(), 2u);
  EXPECT_EQ(DoDragDrop(nullptr, &source_, DROPEFFECT_COPY, nullptr), E_INVALIDARG);
}

}  // namespace
