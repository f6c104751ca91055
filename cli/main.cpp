// The console program: the machine's registry, the trainer's INI file in the Windows directory,
// and output that reaches a console as the text it is.
#include "cli/cli.h"

#include "host/host_discovery.h"
#include "platform/wide_text.h"

#include <windows.h>
#include <shellapi.h>

#include <iostream>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

namespace {

// A stream buffer that writes to a console as wide text (the console's own code page may not be
// the ANSI one the texts are in), a line at a time, and to a file or pipe as the bytes
// themselves, in large blocks: a fleet's listing is many thousand lines.
class ConsoleBuffer final : public std::streambuf {
public:
    explicit ConsoleBuffer(DWORD which) : handle_(GetStdHandle(which)) {
        DWORD mode = 0;
        console_ = handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE && GetConsoleMode(handle_, &mode) != 0;
    }
    ~ConsoleBuffer() override { sync(); }
    bool IsConsole() const { return console_; }
    void Utf8(bool utf8) { codePage_ = utf8 ? CP_UTF8 : CP_ACP; }

protected:
    int_type overflow(int_type c) override {
        if (c != traits_type::eof()) pending_.push_back(static_cast<char>(c));
        if ((console_ && c == '\n') || pending_.size() >= kBlock) sync();
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char* text, std::streamsize count) override {
        pending_.append(text, static_cast<std::size_t>(count));
        if ((console_ && pending_.find('\n') != std::string::npos) || pending_.size() >= kBlock) sync();
        return count;
    }
    int sync() override {
        if (pending_.empty()) return 0;
        DWORD written = 0;
        if (console_) {
            const std::wstring wide = platform::Widen(pending_, codePage_);
            WriteConsoleW(handle_, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        } else if (handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE) {
            WriteFile(handle_, pending_.data(), static_cast<DWORD>(pending_.size()), &written, nullptr);
        }
        pending_.clear();
        return 0;
    }

private:
    static constexpr std::size_t kBlock = 1 << 16;
    HANDLE handle_;
    bool console_ = false;
    UINT codePage_ = CP_ACP;
    std::string pending_;
};

// The arguments as typed, in UTF-8: the ANSI ones would turn letters the code page cannot spell
// into '?', which a pattern reads as a wildcard.
std::vector<std::string> Arguments() {
    std::vector<std::string> args;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) return args;
    for (int i = 1; i < count; ++i) args.push_back(platform::WideToNative(wide[i]));
    LocalFree(wide);
    return args;
}

}  // namespace

int main() {
    ConsoleBuffer outBuffer(STD_OUTPUT_HANDLE);
    ConsoleBuffer errBuffer(STD_ERROR_HANDLE);
    std::ostream out(&outBuffer);
    std::ostream err(&errBuffer);
    const std::optional<cli::Options> options = cli::ParseCommandLine(Arguments(), err);
    if (!options) return cli::kUsageError;
    outBuffer.Utf8(cli::OutputEncoding(*options) == cli::Encoding::Utf8);

    const platform::RegistryRoot machine;
    cli::Host host;
    host.simulatorRoot = host::ReadSimulatorRoot(machine);
    host.trainerUninstallText = host::ReadTrainerUninstallText(machine);
    host.trainerIni = host::kTrainerIni;
    host.progress = errBuffer.IsConsole();
    const int status = cli::Execute(*options, host, out, err);
    out.flush();
    err.flush();
    return status;
}
