#pragma once

#include "cli/PdfPages.h"

#include <QtPlugin>
#include <memory>

class QCoreApplication;

namespace vantrel::cli {

// The root of vantrel-cli-pdf, the module vantrel-cli loads for --pdf only, so that every other run starts
// without the GUI libraries. Pages need fonts, and fonts need the GUI library's application object, so
// the module makes the run's application too.
class PdfModule {
public:
    virtual ~PdfModule() = default;

    // The run's application object, made before any other; without a display it draws offscreen.
    virtual std::unique_ptr<QCoreApplication> createApplication(int& argc, char** argv) = 0;

    // Empty pages; only once the application exists.
    virtual std::unique_ptr<PdfPages> createPages() = 0;
};

} // namespace vantrel::cli

#define VANTREL_PDF_MODULE_IID "com.quenlo.Vantrel.PdfModule/1"
Q_DECLARE_INTERFACE(vantrel::cli::PdfModule, VANTREL_PDF_MODULE_IID)
