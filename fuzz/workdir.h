#pragma once
// The folder a fuzz target works in: made once under the system's temporary folder and made
// the working directory, so the bare file names an input holds resolve there and nothing
// outside it is written.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace fuzz {

// Makes the folder ("velkor-fuzz-XXXXXX") and changes into it; aborts when it cannot. Call
// it once, from LLVMFuzzerInitialize. Returns the folder's full name. A run that ends
// normally removes the folder; one that found a fault leaves it as it was.
std::string EigenerOrdner();

// Writes `Bytes` to `Name` (in the working directory unless it names another), replacing the
// file; aborts when it cannot, since every later step of the input would test nothing.
void DateiSchreiben(const std::string& Name, std::string_view Bytes);
void DateiSchreiben(const std::string& Name, const std::uint8_t* Daten, std::size_t Groesse);

// The file's bytes ("" when it cannot be read).
std::string DateiLesen(const std::string& Name);

// Ends the run with `Text` on stderr: an input broke a rule of the target (libFuzzer keeps
// the input as a crash).
[[noreturn]] void Verletzt(const std::string& Text);

}  // namespace fuzz
