// What every automation object of the IDE shares: reference counting (the object is deleted by
// its last Release), a count of live objects by kind for the sandbox, QueryInterface over the
// interfaces a class lists, IDispatch without type information (late-bound calls are not
// modelled), and Call(), which runs a method through the call log once the object is known to
// still stand for something the IDE has.
#pragma once

#include <oaidl.h>

#include <atomic>
#include <cstdint>
#include <map>
#include <string>

#include "call_log.h"

namespace msdev {

enum class ObjectKind {
  Application,
  Projects,
  Project,
  Configurations,
  Configuration,
  Documents,
  Document,
  Debugger,
  ConnectionPoint,
};

void CountLive(ObjectKind kind, int delta);
std::map<std::string, int> LiveObjects();

// Whether the IDE run `session` (Ide::Session()) still runs.
bool SessionAlive(uint64_t session);

// Reference counting and QueryInterface for an object whose first interface is I.
template <class I, ObjectKind Kind>
class CountedObject : public I {
 public:
  // Made with one reference, for the caller that asked for it; `session` is the IDE run it serves.
  explicit CountedObject(uint64_t session) : session_(session) { CountLive(Kind, +1); }
  CountedObject(const CountedObject&) = delete;
  CountedObject& operator=(const CountedObject&) = delete;

  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = Find(riid);
    if (!*ppv) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  virtual ~CountedObject() { CountLive(Kind, -1); }

  // The interface pointer for `riid`, not AddRef'd, or null. Classes with more interfaces extend it.
  virtual void* Find(REFIID riid) {
    if (riid == IID_IUnknown || riid == __uuidof(I)) return static_cast<I*>(this);
    return nullptr;
  }
  // S_OK while the object stands for something the IDE still has; RPC_E_DISCONNECTED once the
  // IDE that made it has stopped. Objects of a project or document also check that it is open.
  virtual HRESULT Connected() { return SessionAlive(session_) ? S_OK : RPC_E_DISCONNECTED; }

  // Runs one method through the call log (see Automate): a disconnected object answers
  // Connected()'s failure without running `body`.
  template <class Body, class... Outs>
  HRESULT Call(const char* method, const std::string& arguments, Body&& body, Outs*... outs) {
    return Automate(
        method, arguments,
        [&]() -> HRESULT {
          const HRESULT hr = Connected();
          return FAILED(hr) ? hr : body();
        },
        outs...);
  }
  // An automation method this stand-in does not model: logged and loud.
  template <class... Outs>
  HRESULT NotModelled(const char* method, Outs*... outs) {
    return Automate(method, "", [&] { return Unmodelled(method); }, outs...);
  }

  ULONG References() const { return refs_; }
  uint64_t Session() const { return session_; }

 private:
  const uint64_t session_;
  std::atomic<ULONG> refs_{1};
};

// A dual interface's object: IDispatch answers that it has no type information, and its late-
// bound entry points are loud.
template <class I, ObjectKind Kind>
class AutomationObject : public CountedObject<I, Kind> {
 public:
  using CountedObject<I, Kind>::CountedObject;

  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    return this->NotModelled("IDispatch::GetTypeInfo", info);
  }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return this->NotModelled("IDispatch::GetIDsOfNames");
  }
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return this->NotModelled("IDispatch::Invoke");
  }

 protected:
  void* Find(REFIID riid) override {
    if (riid == IID_IDispatch) return static_cast<I*>(this);
    return CountedObject<I, Kind>::Find(riid);
  }
};

}  // namespace msdev
