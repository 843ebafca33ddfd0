#include "framework/application/file_dialog.h"

#include <QFileDialog>
#include <QStringList>
#include <cstdio>
#include <mutex>

#include "framework/application/message_box.h"

namespace dlk {

namespace {

std::mutex file_dialog_answerer_lock;
FileDialogAnswerer file_dialog_answerer;

}  // namespace

void SetFileDialogAnswerer(FileDialogAnswerer a) {
    std::lock_guard guard(file_dialog_answerer_lock);
    file_dialog_answerer = std::move(a);
}

std::string QtNameFilters(const std::string& filter, std::string* selected, int index) {
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts).join(QLatin1Char(' '));
        const QString shown = QLatin1Char('(') + patterns + QLatin1Char(')');
        // The description often names its patterns already.
        filters << (parts[i].trimmed().endsWith(shown) ? parts[i].trimmed() : parts[i].trimmed() + ' ' + shown);
    }
    if (selected != nullptr)
        *selected = index >= 1 && index <= filters.size() ? filters[index - 1].toStdString() : std::string();
    return filters.join(QStringLiteral(";;")).toStdString();
}

std::optional<std::string> RunFileDialog(QWidget* owner, const FileDialogRequest& request) {
    FileDialogAnswerer current;
    {
        std::lock_guard guard(file_dialog_answerer_lock);
        current = file_dialog_answerer;
    }
    if (current) {
        FileDialogRequest r = request;
        r.Owned = owner != nullptr;
        return current(r);
    }
    if (NobodyToSee()) {
        std::fprintf(stderr, "%s dialog (%s): cancelled, nobody to answer\n",
                     request.Kind == FileDialogKind::Open ? "open" : "save", request.Filter.c_str());
        return std::nullopt;
    }
    std::string selected;
    const QString filters = QString::fromStdString(QtNameFilters(request.Filter, &selected, request.FilterIndex));
    QFileDialog dialog(owner, QString::fromStdString(request.Title), QString::fromStdString(request.InitialDir),
                       filters);
    dialog.setAcceptMode(request.Kind == FileDialogKind::Open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(request.Kind == FileDialogKind::Open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!selected.empty()) dialog.selectNameFilter(QString::fromStdString(selected));
    if (!request.FileName.empty()) dialog.selectFile(QString::fromStdString(request.FileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

}  // namespace dlk
