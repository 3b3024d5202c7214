#include "ui/CNxLogOptionsPaneDialog.h"

#include "text/MessageTexts.h"
#include "ui/CNxEditBrowseControl.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace vantrel::ui {

CNxLogOptionsPaneDialog::CNxLogOptionsPaneDialog(settings::LiveOptions& options, QWidget* parent)
    : OptionPane(options, parent)
    , m_check(new QCheckBox(output::text(output::res::kLogCheckLabel), this))
    , m_label(new QLabel(output::text(output::res::kLogFileLabel), this))
    , m_fileName(new CNxEditBrowseControl(kFileNameId, this)) {
    setObjectName(QStringLiteral("LogOptionsPane"));
    m_check->setObjectName(QStringLiteral("check%1").arg(kLogCheckId));
    m_label->setObjectName(QStringLiteral("label%1").arg(kLogFileLabelId));
    // The label stands on the left of the box.
    m_check->setLayoutDirection(Qt::RightToLeft);
    m_fileName->setMinimumWidth(320);
    m_fileName->lineEdit()->setAccessibleName(controlName(m_label->text()));

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_check, 0, 0, 1, 2, Qt::AlignLeft);
    layout->addWidget(m_label, 1, 0);
    layout->addWidget(m_fileName, 1, 1);
    layout->setColumnStretch(2, 1);
    layout->setRowStretch(2, 1);

    addOwnControl(m_check, kLogCheckId, output::text(output::res::kLogCheckTip));
    const QString fileNameTip = output::text(output::res::kLogFileBoxTip);
    addOwnControl(m_fileName, kFileNameId, fileNameTip);
    registerTip(m_fileName->lineEdit(), kFileNameId, fileNameTip);

    // The check box's state follows the logging flag, which the frame sets back after the toggle.
    connect(m_check, &QCheckBox::clicked, this, [this] { emit toggleRequested(); });
    connect(m_fileName, &CNxEditBrowseControl::textChanged, this, [this](const QString& name) {
        if (!m_showing)
            emit fileNameChanged(name);
    });
}

QString CNxLogOptionsPaneDialog::fileName() const {
    return m_fileName->text();
}

void CNxLogOptionsPaneDialog::showFileName(const QString& name) {
    m_showing = true;
    m_fileName->setText(name);
    m_showing = false;
}

void CNxLogOptionsPaneDialog::showState(bool checkEnabled, bool checked, bool fileNameReadOnly) {
    m_check->setEnabled(checkEnabled);
    if (m_check->isChecked() != checked)
        m_check->setChecked(checked);
    if (m_fileName->isReadOnly() != fileNameReadOnly)
        m_fileName->setReadOnly(fileNameReadOnly);
}

} // namespace vantrel::ui
