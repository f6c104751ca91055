// A file system that is the system's own but fails a chosen step of a save, as the system would
// fail it: a folder that refuses new files, a full disk, a replace refused. A fault may also act
// at its step (spoil the temporary file, change the target behind the save's back).
#pragma once

#include "platform/file_system.h"

#include <functional>
#include <string>
#include <utility>

namespace pwtest {

enum class SaveStep { Create, Write, Replace, Link };

class FaultyFiles final : public profile::FileSystem {
public:
    // Called before each step with the temporary file and the file being saved; a non-empty
    // error fails the step with it.
    using Fault = std::function<profile::Error(SaveStep step, const std::string& temp, const std::string& target)>;
    explicit FaultyFiles(Fault fault) : fault_(std::move(fault)) {}

    profile::PathKind Probe(const std::string& path) override { return real().Probe(path); }
    profile::Error Read(const std::string& path, std::string& bytes, bool& existed) override {
        return real().Read(path, bytes, existed);
    }
    profile::Error CreateNew(const std::string& path, const std::string& target, bool& taken) override {
        if (profile::Error error = fault_(SaveStep::Create, path, target)) return error;
        return real().CreateNew(path, target, taken);
    }
    profile::Error WriteAll(const std::string& path, const std::string& bytes, const std::string& target) override {
        if (profile::Error error = fault_(SaveStep::Write, path, target)) return error;
        return real().WriteAll(path, bytes, target);
    }
    profile::Error Replace(const std::string& from, const std::string& target) override {
        if (profile::Error error = fault_(SaveStep::Replace, from, target)) return error;
        return real().Replace(from, target);
    }
    profile::Error Remove(const std::string& path) override { return real().Remove(path); }
    bool Link(const std::string& existing, const std::string& link) override {
        // A failed link is no error: the caller copies instead.
        return !fault_(SaveStep::Link, existing, link) && real().Link(existing, link);
    }

private:
    static profile::FileSystem& real() { return profile::SystemFiles(); }
    Fault fault_;
};

// The error the system gives when step fails for target.
inline profile::Error SystemFailure(SaveStep step, const std::string& target) {
    switch (step) {
        case SaveStep::Create: return profile::reasons::CannotCreateIn(target);
        case SaveStep::Write: return profile::reasons::DiskFull(target);
        case SaveStep::Replace:
        case SaveStep::Link: break;
    }
    return profile::reasons::ReplaceRefused(target);
}

// Fails step for target (every target when empty), as the system would.
inline FaultyFiles::Fault FailAt(SaveStep step, const std::string& target = "") {
    return [=](SaveStep at, const std::string&, const std::string& saved) {
        return at == step && (target.empty() || saved == target) ? SystemFailure(step, saved) : profile::Error{};
    };
}

}  // namespace pwtest
