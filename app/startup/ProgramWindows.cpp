#include "app/startup/ProgramWindows.h"

#include "app/dialogs/AboutDialog.h"
#include "app/dialogs/ConfigDialog.h"
#include "app/dialogs/ReferenceDialog.h"
#include "app/dialogs/SubtitleChoiceDialog.h"
#include "app/window/MainWindow.h"

namespace orvalen {

ProgramWindows::ProgramWindows(std::unique_ptr<MediaDevice> device, QStringList commandLine)
    : main_(std::make_unique<MainWindow>(std::move(device), std::move(commandLine))) {
    MainWindowDialogs dialogs;
    dialogs.Configuration = new ConfigDialog(main_.get());
    dialogs.SubtitleChoice = new SubtitleChoiceDialog(main_.get());
    dialogs.Reference = new ReferenceDialog(main_.get());
    dialogs.About = new AboutDialog(main_.get());
    main_->UseDialogs(dialogs);
}

ProgramWindows::~ProgramWindows() = default;

}  // namespace orvalen
