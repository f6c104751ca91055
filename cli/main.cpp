// The console program: the machine's registry, the trainer's INI file in the Windows directory,
// and output that reaches a console as the text it is.
#include "cli/cli.h"

#include "host/host_discovery.h"
#include "platform/system_message.h"
#include "platform/unique_handle.h"
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
// themselves: in large blocks (a fleet's listing is many thousand lines), or a line at a time
// where each line reports an edit already made, so that a run ended from outside has said what
// it did. A write that fails, or a disk that fills, is remembered, never passed over.
class ConsoleBuffer final : public std::streambuf {
public:
    explicit ConsoleBuffer(DWORD which) : handle_(GetStdHandle(which)) {
        DWORD mode = 0;
        console_ = handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE && GetConsoleMode(handle_, &mode) != 0;
        lines_ = console_;
    }
    ~ConsoleBuffer() override { sync(); }
    bool IsConsole() const { return console_; }
    void Utf8(bool utf8) { codePage_ = utf8 ? CP_UTF8 : CP_ACP; }
    void LineByLine() { lines_ = true; }
    // The system's error code of the first write that failed; 0 while every byte got through.
    DWORD Failure() const { return failure_; }

protected:
    int_type overflow(int_type c) override {
        if (c != traits_type::eof()) pending_.push_back(static_cast<char>(c));
        if ((lines_ && c == '\n') || pending_.size() >= kBlock) sync();
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char* text, std::streamsize count) override {
        pending_.append(text, static_cast<std::size_t>(count));
        if ((lines_ && pending_.find('\n') != std::string::npos) || pending_.size() >= kBlock) sync();
        return count;
    }
    int sync() override {
        if (pending_.empty() || failure_ != 0) {
            pending_.clear();
            return failure_ == 0 ? 0 : -1;
        }
        if (console_) {
            const std::wstring wide = platform::Widen(pending_, codePage_);
            WriteAll(wide.data(), wide.size(), [this](const wchar_t* at, DWORD count, DWORD* written) {
                return WriteConsoleW(handle_, at, count, written, nullptr);
            });
        } else if (handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE) {
            WriteAll(pending_.data(), pending_.size(), [this](const char* at, DWORD count, DWORD* written) {
                return WriteFile(handle_, at, count, written, nullptr);
            });
        }
        pending_.clear();
        return failure_ == 0 ? 0 : -1;
    }

private:
    // Writes all of text, as many times as a write takes only part of it.
    template <typename Char, typename Write>
    void WriteAll(const Char* text, std::size_t count, Write write) {
        while (count > 0 && failure_ == 0) {
            DWORD written = 0;
            const auto piece = static_cast<DWORD>(count < kBlock ? count : kBlock);
            if (!write(text, piece, &written) || written == 0) {
                failure_ = GetLastError() != 0 ? GetLastError() : ERROR_WRITE_FAULT;
                return;
            }
            text += written;
            count -= written;
        }
    }

    static constexpr std::size_t kBlock = 1 << 16;
    HANDLE handle_;
    bool console_ = false;
    bool lines_ = false;
    DWORD failure_ = 0;
    UINT codePage_ = CP_ACP;
    std::string pending_;
};

// The arguments as typed, in UTF-8: the ANSI ones would turn letters the code page cannot spell
// into '?', which a pattern reads as a wildcard.
std::vector<std::string> Arguments() {
    std::vector<std::string> args;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    const platform::OwnedLocalMemory owner(wide);
    if (wide == nullptr) return args;
    for (int i = 1; i < count; ++i) args.push_back(platform::WideToNative(wide[i]));
    return args;
}

int Run(ConsoleBuffer& outBuffer, const ConsoleBuffer& errBuffer, std::ostream& out, std::ostream& err) {
    const std::optional<cli::Options> options = cli::ParseCommandLine(Arguments(), err);
    if (!options) return cli::kUsageError;
    outBuffer.Utf8(cli::OutputEncoding(*options) == cli::Encoding::Utf8);
    if (options->command == cli::Command::Install || options->command == cli::Command::Remove) outBuffer.LineByLine();

    const platform::RegistryRoot machine;
    cli::Host host;
    host.simulatorRoot = host::ReadSimulatorRoot(machine);
    host.trainerUninstallText = host::ReadTrainerUninstallText(machine);
    host.trainerIni = host::kTrainerIni;
    host.progress = errBuffer.IsConsole();
    return cli::Execute(*options, host, out, err);
}

}  // namespace

// Every exit status but 0 comes with a line on stderr that says why: a run stopped by an error
// the program did not foresee says what stopped it, after what it did; output that cannot be
// written (a full disk, a closed pipe) fails the run.
int main() {
    ConsoleBuffer outBuffer(STD_OUTPUT_HANDLE);
    ConsoleBuffer errBuffer(STD_ERROR_HANDLE);
    std::ostream out(&outBuffer);
    std::ostream err(&errBuffer);
    int status = cli::kRefusedOrFailed;
    try {
        status = Run(outBuffer, errBuffer, out, err);
    } catch (const std::exception& error) {
        out.flush();
        err << "panelwright-cli: stopped by an unexpected error: " << error.what() << "\n";
    }
    out.flush();
    if (outBuffer.Failure() != 0) {
        err << "panelwright-cli: the output could not be written: " << platform::SystemMessage(outBuffer.Failure())
            << "\n";
        status = cli::kRefusedOrFailed;
    }
    err.flush();
    return status;
}
