#include "ui/CNxEditBrowseControl.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>

namespace vantrel::ui {

namespace {

QString chooseLogFile(QWidget* parent, const QString& startName) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile); // a new log file may be named
    dialog.setDefaultSuffix(QStringLiteral("rtf"));
    dialog.setNameFilters(
        {QStringLiteral("Rich\\Plain Text (*.rtf *.txt)"), QStringLiteral("Word Document (*.doc *.docx)")});
    if (!startName.isEmpty())
        dialog.selectFile(startName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString browseStartName(const QString& text, const QString& homeDir) {
    if (text.isEmpty())
        return homeDir + QStringLiteral("VtrLog.rtf");
    const qsizetype slash = text.lastIndexOf(QLatin1Char('/'));
    const QString folder = slash < 0 ? QString() : text.left(slash + 1);
    const QString name = text.mid(slash + 1).trimmed();
    if (name.isEmpty())
        return folder;
    if (folder.isEmpty())
        return homeDir + name;
    return text;
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
    m_browse->setToolTip(QStringLiteral("Browse"));
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
    const QString chosen = m_chooser(this, browseStartName(m_edit->text(), m_homeDir));
    if (!chosen.isEmpty() && chosen != m_edit->text()) {
        m_edit->setText(chosen);
        m_edit->setModified(true);
    }
    m_edit->setFocus();
}

} // namespace vantrel::ui
