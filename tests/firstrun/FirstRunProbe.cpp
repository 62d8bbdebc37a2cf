// Watches the real program from inside its own process, without changing it: Qt loads this
// plugin into any Qt program started with QT_QPA_GENERIC_PLUGINS=orvalenprobe:DIR (and
// QT_PLUGIN_PATH naming the directory above generic/). The subtitle label must show the first
// cue of the SubRip file beside the film named on the command line. The probe writes "report"
// (the verdict on its last line, "OK" or "FAIL: why") and "screen.png" into DIR, then closes
// the main window as a user would.
#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGenericPlugin>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QTextDocument>
#include <QTimer>
#include <QToolBar>

namespace {

constexpr int kPollMs = 100;
constexpr int kGiveUpMs = 60000;
// The text is on screen for two seconds: grab it well inside them, after its repaint.
constexpr int kGrabAfterMs = 400;

class FirstRunProbe : public QObject {
  public:
    explicit FirstRunProbe(const QString& directory) : dir_(directory) {
        started_ = QDateTime::currentMSecsSinceEpoch();
        connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
        timer_.start(kPollMs);
    }

  private:
    void Poll() {
        QMainWindow* main = nullptr;
        QWidget* dialog = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (!widget->isVisible()) continue;
            if (auto* window = qobject_cast<QMainWindow*>(widget)) {
                main = window;
            } else if (qobject_cast<QDialog*>(widget) || widget->windowType() == Qt::Dialog) {
                report_ += "dialog: " + widget->windowTitle() + "\n";
                dialog = widget;
            }
        }
        if (dialog != nullptr) {
            dialog->close();
            return Finish(main, "FAIL: a dialog opened");
        }
        const qint64 elapsed = QDateTime::currentMSecsSinceEpoch() - started_;
        if (elapsed > kGiveUpMs) return Finish(main, "FAIL: no subtitle \"" + expected_ + "\"");
        if (main == nullptr) return;
        if (expected_.isEmpty()) expected_ = FirstSubtitleOfTheFilm();
        QLabel* label = ShowingExpected(main);
        if (label == nullptr) {
            seen_ = 0;
            return;
        }
        if (seen_ == 0) seen_ = elapsed;
        if (elapsed - seen_ < kGrabAfterMs) return;
        Finish(main, Check(main, label));
    }

    // The text of the first cue of the SubRip file beside the film the program was given.
    static QString FirstSubtitleOfTheFilm() {
        const QStringList arguments = QApplication::arguments();
        if (arguments.size() < 2) return {};
        QString path = arguments[1];
        path = path.left(path.lastIndexOf('.')) + ".srt";
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) return {};
        const QStringList lines = QString::fromUtf8(file.read(1 << 16)).split('\n');
        for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
            if (lines[i].contains("-->")) return lines[i + 1].trimmed();
        }
        return {};
    }

    // The label shows styled subtitles as rich text; the probe compares what a reader sees.
    static QString PlainText(const QString& shown) {
        if (!Qt::mightBeRichText(shown)) return shown;
        QTextDocument document;
        document.setHtml(shown);
        return document.toPlainText();
    }

    QLabel* ShowingExpected(QMainWindow* main) const {
        for (QLabel* label : main->findChildren<QLabel*>()) {
            if (label->isVisible() && PlainText(label->text()) == expected_) return label;
        }
        return nullptr;
    }

    // The bars are shown and the label's text is really drawn on the screen.
    QString Check(QMainWindow* main, QLabel* label) {
        for (QAction* action : main->findChildren<QAction*>()) {
            if ((action->text() == "ToolBar" || action->text() == "Status Bar") &&
                !action->isChecked()) {
                return "FAIL: " + action->text() + " is not checked";
            }
        }
        const QList<QToolBar*> toolBars = main->findChildren<QToolBar*>();
        if (toolBars.isEmpty() || !toolBars.front()->isVisible()) return "FAIL: no tool bar";
        bool statusShown = false;
        for (QWidget* widget : main->findChildren<QWidget*>()) {
            const QString name = widget->metaObject()->className();
            if (name.endsWith("StatusBar") && widget->isVisible()) statusShown = true;
        }
        if (!statusShown) return "FAIL: no status bar";

        QScreen* screen = label->screen();
        const QImage shot = screen->grabWindow(0).toImage();
        shot.save(dir_.filePath("screen.png"));
        const QRect onScreen(label->mapToGlobal(QPoint(0, 0)) - screen->geometry().topLeft(),
                             label->size());
        if (!shot.rect().contains(onScreen)) return "FAIL: the label is off the screen";
        int bright = 0;
        for (int y = onScreen.top(); y <= onScreen.bottom(); ++y) {
            for (int x = onScreen.left(); x <= onScreen.right(); ++x) {
                if (qGray(shot.pixel(x, y)) > 160) ++bright;
            }
        }
        report_ += QString("label %1x%2 at %3,%4: %5 bright pixels\n")
                       .arg(onScreen.width())
                       .arg(onScreen.height())
                       .arg(onScreen.x())
                       .arg(onScreen.y())
                       .arg(bright);
        // A bold line of text 20 pixels high lights several hundred pixels.
        if (bright < 200) return "FAIL: the label's text is not on the screen";
        return "OK";
    }

    void Finish(QMainWindow* main, const QString& verdict) {
        timer_.stop();
        QFile report(dir_.filePath("report"));
        if (report.open(QIODevice::WriteOnly))
            report.write(("expected: " + expected_ + "\n" + report_ + verdict + "\n").toUtf8());
        report.close();
        // Closed from the event loop, after a closed dialog has returned.
        QTimer::singleShot(0, qApp, [main = QPointer<QMainWindow>(main)] {
            if (main != nullptr) {
                main->close();
            } else {
                QApplication::quit();
            }
        });
    }

    QDir dir_;
    QString expected_;
    QString report_;
    QTimer timer_;
    qint64 started_ = 0;
    qint64 seen_ = 0;
};

class FirstRunProbePlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "FirstRunProbe.json")
  public:
    QObject* create(const QString& key, const QString& parameters) override {
        if (key.compare("orvalenprobe", Qt::CaseInsensitive) != 0) return nullptr;
        return new FirstRunProbe(parameters);
    }
};

}  // namespace

#include "FirstRunProbe.moc"
