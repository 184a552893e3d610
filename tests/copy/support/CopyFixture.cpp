#include "support/CopyFixture.h"

#include "support/TreeHelpers.h"

#include <cstdlib>
#include <ftw.h>
#include <unistd.h>

CopyFixture::CopyFixture()
    : root(scratch.path().toStdString()), src(root + "/src"), dst(root + "/dst"), trash(root + "/data/Trash")
{
    // The trash must be on the same file system as the scratch folder, and never the
    // real one of whoever runs the tests.
    ::setenv("XDG_DATA_HOME", (root + "/data").c_str(), 1);
    tree::makeFolder(src);
    tree::makeFolder(dst);
}

CopyFixture::~CopyFixture()
{
    // QTemporaryDir cannot remove names that are not valid UTF-8, nor enter read-only folders.
    ::nftw(
        root.c_str(),
        [](const char* path, const struct stat*, int kind, FTW*) {
            if (kind == FTW_D || kind == FTW_DP)
                ::chmod(path, 0700);
            return 0;
        },
        32, FTW_PHYS);
    ::nftw(
        root.c_str(),
        [](const char* path, const struct stat*, int kind, FTW*) {
            return kind == FTW_DP ? ::rmdir(path) : ::unlink(path);
        },
        32, FTW_DEPTH | FTW_PHYS);
}

shell::CopyOutcome CopyFixture::copy(const std::vector<std::string>& sources, const std::string& destination)
{
    shell::CopyOutcome result = shell::CopyOutcome::Failed;
    {
        shell::CopyEngine engine(fs, questions, progress, *cancel, options);
        result = engine.run(sources, destination);
        leftOut = engine.leftOut();
        notKept = engine.notKept();
    }
    cancel = std::make_unique<shell::CancelToken>();
    fs.cancelAfterWrite = nullptr;
    return result;
}
