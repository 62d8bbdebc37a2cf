#include "app/ProgramWindows.h"

#include "app/AboutDialog.h"
#include "app/ConfigDialog.h"
#include "app/MainWindow.h"
#include "app/ReferenceDialog.h"
#include "app/SubtitleChoiceDialog.h"

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
