#pragma once

#include "cli/PdfModule.h"

#include <QObject>

namespace vantrel::cli {

// The PDF module's root object, which QPluginLoader makes.
class QtPdfModule final : public QObject, public PdfModule {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID VANTREL_PDF_MODULE_IID)
    Q_INTERFACES(vantrel::cli::PdfModule)

public:
    std::unique_ptr<QCoreApplication> createApplication(int& argc, char** argv) override;
    std::unique_ptr<PdfPages> createPages() override;
};

} // namespace vantrel::cli
