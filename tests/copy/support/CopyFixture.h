#pragma once
// A scratch area for one copy test: a source and a destination folder in a fresh
// temporary folder, with the desktop trash pointed inside it too.

#include "platform/copy/CopyEngine.h"
#include "platform/copy/ProgressState.h"
#include "support/FaultyFileSystem.h"
#include "support/ScriptedQuestions.h"

#include <QTemporaryDir>
#include <memory>
#include <string>

struct CopyFixture {
    CopyFixture();
    ~CopyFixture();

    // Runs one request through a fresh engine and returns how it ended.
    shell::CopyOutcome copy(const std::vector<std::string>& sources, const std::string& destination);
    shell::CopyOutcome copy(const std::string& source, const std::string& destination)
    {
        return copy(std::vector{source}, destination);
    }

    QTemporaryDir scratch;
    std::string root;  // the scratch folder
    std::string src;   // root/src, made empty
    std::string dst;   // root/dst, made empty
    std::string trash; // the home trash the engine uses (root/data/Trash)
    FaultyFileSystem fs;
    ScriptedQuestions questions;
    shell::ProgressState progress;
    // Fresh for every request: a Cancel ends only the request it was given to.
    std::unique_ptr<shell::CancelToken> cancel = std::make_unique<shell::CancelToken>();
    shell::CopyOptions options;
    // What the last request left out, and its note on what the drive could not hold.
    std::vector<shell::LeftOutItem> leftOut;
    std::string notKept;
};
