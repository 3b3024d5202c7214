#include "ui/CNxEditBrowseControl.h"

#include "settings/StoreLocation.h"
#include "text/MessageTexts.h"
#include "text/PaneTexts.h"

#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>

namespace vantrel::ui {

namespace {

QString chooseLogFile(QWidget* parent, const QString& startName) {
    const std::unique_ptr<QFileDialog> dialog = makeLogFileDialog(parent, startName);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return {};
    return dialog->selectedFiles().constFirst();
}

// The dialog reads the patterns of a filter from its text, where "*.rtf; *.txt" would give "*.rtf;": the
// files shown follow the patterns that go with the texts instead.
void showFilesOf(QFileDialog& dialog, const QString& filterText) {
    using namespace output::res;
    auto* files = dialog.findChild<QFileSystemModel*>();
    if (!files)
        return;
    const QString patterns = filterText == output::text(kLogFilterWord) ? output::text(kLogFilterWordPattern)
                                                                        : output::text(kLogFilterRtfPattern);
    files->setNameFilters(patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts));
}

} // namespace

QString browseStartName(const QString& text, const QString& writeFolder) {
    if (text.isEmpty())
        return writeFolder + output::text(output::res::kBrowseLogName);
    const qsizetype slash = text.lastIndexOf(QLatin1Char('/'));
    const QString folder = slash < 0 ? QString() : text.left(slash + 1);
    const QString name = text.mid(slash + 1).trimmed();
    if (name.isEmpty())
        return folder.isEmpty() ? QString() : QDir(writeFolder).absoluteFilePath(folder);
    return QDir(writeFolder).absoluteFilePath(folder + name);
}

std::unique_ptr<QFileDialog> makeLogFileDialog(QWidget* parent, const QString& startName) {
    using namespace output::res;
    auto dialog = std::make_unique<QFileDialog>(parent);
    // Qt's own dialog, so that the shown files follow the filters' patterns.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::AnyFile); // a new log file may be named
    dialog->setDefaultSuffix(output::text(kLogDefaultExtension));
    dialog->setNameFilters({output::text(kLogFilterRtf), output::text(kLogFilterWord)});
    showFilesOf(*dialog, dialog->selectedNameFilter());
    QObject::connect(dialog.get(), &QFileDialog::filterSelected, dialog.get(),
                     [dialog = dialog.get()](const QString& filter) { showFilesOf(*dialog, filter); });
    if (!startName.isEmpty())
        dialog->selectFile(startName);
    return dialog;
}

CNxEditBrowseControl::CNxEditBrowseControl(int id, QWidget* parent)
    : QWidget(parent)
    , m_edit(new QLineEdit(this))
    , m_browse(new QToolButton(this))
    , m_chooser(chooseLogFile) {
    setObjectName(QStringLiteral("control%1").arg(id));
    m_edit->setObjectName(QStringLiteral("edit%1").arg(id));
    m_browse->setObjectName(QStringLiteral("browse%1").arg(id));
    m_browse->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    m_browse->setToolTip(output::text(output::res::kBrowseTip));
    m_browse->setAccessibleName(m_browse->toolTip());
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_browse);
    setFocusProxy(m_edit);
    connect(m_edit, &QLineEdit::textChanged, this, &CNxEditBrowseControl::textChanged);
    connect(m_browse, &QToolButton::clicked, this, &CNxEditBrowseControl::browse);
}

QString CNxEditBrowseControl::text() const {
    return m_edit->text();
}

void CNxEditBrowseControl::setText(const QString& text) {
    m_edit->setText(text);
}

void CNxEditBrowseControl::setReadOnly(bool readOnly) {
    m_edit->setReadOnly(readOnly);
    m_browse->setVisible(!readOnly);
}

bool CNxEditBrowseControl::isReadOnly() const {
    return m_edit->isReadOnly();
}

void CNxEditBrowseControl::browse() {
    if (m_edit->isReadOnly())
        return;
    // A bare name is opened in the user's data folder (ResultLog), so the dialog starts there too.
    const QString dataFolder = settings::userDataDir();
    QDir().mkpath(dataFolder);
    const QString chosen = m_chooser(this, browseStartName(m_edit->text(), dataFolder));
    if (!chosen.isEmpty() && chosen != m_edit->text()) {
        m_edit->setText(chosen);
        m_edit->setModified(true);
    }
    m_edit->setFocus();
}

} // namespace vantrel::ui
