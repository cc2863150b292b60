// The add-ins the IDE loads when it starts, from the per-user registry as the real program does.
// Every subkey of HKCU\Software\Microsoft\DevStudio\6.0\AddIns names an add-in by its ProgID;
// one whose default value is "1" is made in-process (CoCreateInstance asking IDSAddIn) and
// connected: OnConnection(the application, firstTime, a new cookie, &loaded).
//
// firstTime: VARIANT_TRUE until the add-in has once been loaded. After that first load the IDE
// writes the value "Loaded" (REG_DWORD 1) into the add-in's key, so an add-in registered anew
// (its key made again) gets VARIANT_TRUE once more. An add-in that answers loaded ==
// VARIANT_FALSE, or that cannot be made or connected, is released and what it gave the IDE
// while it connected is forgotten; each such failure is a line in Messages(), never fatal to the
// IDE.
#pragma once

#include <objmodel/appauto.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "sandbox/msdev.h"

namespace msdev {

class AddInLoader {
 public:
  AddInLoader() = default;
  AddInLoader(const AddInLoader&) = delete;
  AddInLoader& operator=(const AddInLoader&) = delete;

  // Loads every add-in registered for the user; `application` is what each one is given.
  // Cookies count from 1 for each run of the IDE. `forget` is called with the cookie of an add-in
  // that declined or failed to connect, after it was released.
  void LoadAll(IDispatch* application, const std::function<void(long cookie)>& forget);
  // Lets every add-in go: OnDisconnection(VARIANT_FALSE) first when `tell` (the IDE quits;
  // not when the sandbox resets), then Release.
  void DisconnectAll(bool tell);
  // Unloads one add-in as the user does in the add-in list: OnDisconnection(VARIANT_TRUE),
  // Release, and its key's default value becomes "0" so that it is not loaded at the next
  // start. Returns the cookie it had; 0 when no add-in of that ProgID (any case) is loaded.
  long Unload(const std::string& progId);
  std::vector<sandbox::msdev::AddIn> Loaded();
  std::vector<std::string> Messages();
  // Forgets what the last run recorded (a new start, a sandbox reset).
  void Clear();

 private:
  struct Entry {
    std::string progId;
    long cookie;
    bool firstTime;
    IDSAddIn* addIn;  // one reference
  };
  void Load(const std::string& progId, IDispatch* application, const std::function<void(long cookie)>& forget);
  void Note(const std::string& message);

  std::mutex lock_;
  std::vector<Entry> loaded_;
  std::vector<std::string> messages_;
  long nextCookie_ = 1;
};

}  // namespace msdev
