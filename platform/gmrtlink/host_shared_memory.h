// Named host shared memory (POSIX shm) for the boards, and the process facts that name it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace gmrtboard::host {

// Maps the named block of `size` bytes, made zero-filled when it does not exist yet; nullptr
// when the host refuses (`why` then says so).
unsigned char* MapShared(const std::string& name, size_t size, std::string& why);
void Unmap(unsigned char* address, size_t size);
// Removes the name; mappings that exist stay valid. A missing name is no error.
void Unlink(const std::string& name);

std::optional<std::string> Environment(const char* name);
unsigned ProcessId();

}  // namespace gmrtboard::host
