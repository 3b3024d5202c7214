#include "app/PaneFactories.h"

#include <QLabel>
#include <QListWidget>
#include <QTextEdit>

namespace vantrel::app {

QWidget* createResultsView(QWidget* parent) {
    auto* view = new QTextEdit(parent);
    view->setObjectName(QStringLiteral("ResultsView"));
    view->setReadOnly(true);
    return view;
}

QListWidget* createProfileManagerView(QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QStringLiteral("ProfileManagerList"));
    return list;
}

QWidget* createPendingOptionsPane(const QString& title, QWidget* parent) {
    auto* label = new QLabel(title, parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setMargin(8);
    return label;
}

} // namespace vantrel::app
