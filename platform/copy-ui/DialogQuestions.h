#pragma once
// The questions as message boxes a person answers. Every box has no owner window,
// like the rest of the service's windows. Call only on the user-interface thread
// (UiThreadQuestions takes care of that for the engine).

#include "platform/copy/CopyQuestions.h"

#include <QPointer>
#include <QString>

#include <optional>

class QMessageBox;

namespace shell {

class DialogQuestions : public CopyQuestions {
public:
    bool createFolder(const std::string& path) override;
    ClashAnswer replaceItem(const ItemDetails& existing, const ItemDetails& incoming) override;
    ClashAnswer mergeFolder(const ItemDetails& existing, const ItemDetails& incoming) override;
    ErrorAnswer copyError(const std::string& item, const std::string& reason, bool canRetry) override;
    bool copyWithoutRoom(const std::string& folder, std::uint64_t needed, std::uint64_t available) override;
    bool deletePermanently(const std::string& path, const std::string& reason) override;
    bool deleteReplacedToFit(const std::string& folder, std::uint64_t count,
                             const std::string& reason) override;
    void requestFailed(const std::string& message) override;
    NameAnswer refusedName(const std::string& item, const std::string& refused,
                           const std::string& replacement) override;
    ClashAnswer caseClash(const ItemDetails& existing, const ItemDetails& incoming) override;

    // The texts the boxes show, apart from the boxes so they can be checked.
    [[nodiscard]] static QString describeItem(const ItemDetails& item);
    [[nodiscard]] static QString replaceText(const ItemDetails& existing, const ItemDetails& incoming);
    [[nodiscard]] static QString mergeText(const ItemDetails& existing, const ItemDetails& incoming);
    // "&Skip 3 items with the same size and date"
    [[nodiscard]] static QString skipIdenticalText(std::uint64_t count);

    // Closes the box on screen, if any, as its Cancel (or No) button would.
    void closeOpen() override;

private:
    ClashAnswer askClash(const QString& text, bool keepBothFirst, std::uint64_t identical);
    bool askYesNo(int icon, const QString& text);
    // Shows box until it is answered, as the one that closeOpen() closes.
    int exec(QMessageBox& box);

    QPointer<QMessageBox> m_open;
    std::optional<bool> m_deleteForAll; // the "to All" answer to deleting for good, once given
};

} // namespace shell
