#include "window/form/form_actions.h"

#include "window/lessons/lesson_files.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QWidget>

namespace {

QAction* makeAction(QWidget* window, const QString& text, QList<QKeySequence> shortcuts)
{
    auto* action = new QAction(text, window);
    // The first shortcut is the one the menu shows; duplicates of a platform's standard keys
    // are dropped.
    QList<QKeySequence> unique;
    for (const auto& shortcut : shortcuts) {
        if (!shortcut.isEmpty() && !unique.contains(shortcut))
            unique << shortcut;
    }
    action->setShortcuts(unique);
    action->setShortcutContext(Qt::WindowShortcut);
    window->addAction(action);
    return action;
}

QList<QKeySequence> standard(QKeySequence::StandardKey key, QList<QKeySequence> more = {})
{
    return QKeySequence::keyBindings(key) + more;
}

// The example lessons installed with the program: in "examples" beside it (Windows, and every
// program built here), or in its data folder (share/mandati/examples beside its bin folder).
QString examplesFolder()
{
    const QDir program(QCoreApplication::applicationDirPath());
    for (const QString& place :
        { QStringLiteral("examples"), QStringLiteral("../share/mandati/examples") }) {
        if (program.exists(place))
            return QDir::cleanPath(program.filePath(place));
    }
    return {};
}

} // namespace

FormActions::FormActions(QWidget* window)
    : QObject(window)
{
    newExample = makeAction(window, QStringLiteral("Нов пример"), standard(QKeySequence::New));
    openLesson = makeAction(window, QStringLiteral("Отвори урок…"), standard(QKeySequence::Open));
    saveLesson = makeAction(window, QStringLiteral("Запази урока"), standard(QKeySequence::Save));
    saveLessonAs = makeAction(window, QStringLiteral("Запази урока като…"),
        standard(QKeySequence::SaveAs, { QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S) }));
    lastLesson = makeAction(window, QStringLiteral("Върни последния урок"),
        { QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T) });
    undo = makeAction(window, QStringLiteral("Отмени"), standard(QKeySequence::Undo));
    redo = makeAction(window, QStringLiteral("Повтори"),
        standard(QKeySequence::Redo,
            { QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                QKeySequence(Qt::CTRL | Qt::Key_Y) }));
    nothingToUndo = makeAction(window, QString(), undo->shortcuts());
    nothingToRedo = makeAction(window, QString(), redo->shortcuts());
    copy = makeAction(window, QStringLiteral("Копирай таблицата"), standard(QKeySequence::Copy));
    nothingToCopy = makeAction(window, QString(), standard(QKeySequence::Copy));
    nothingToCopy->setEnabled(false);
    print = makeAction(window, QStringLiteral("Печат…"), standard(QKeySequence::Print));
    // Keys no text box takes for its own editing.
    addParty = makeAction(window, QStringLiteral("Добави партия"),
        { QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P) });
    removeParty = makeAction(window, QStringLiteral("Премахни последната партия"),
        { QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R) });
    nameParties = makeAction(window, QStringLiteral("Имена на партиите"),
        { QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I) });
    nextVoteColumn = makeAction(window, QStringLiteral("Гласовете от друга колона"),
        { QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V) });
    compare = makeAction(
        window, QStringLiteral("Сравни методите"), { QKeySequence(Qt::CTRL | Qt::Key_M) });
    hemicycle = makeAction(window, QStringLiteral("Парламент (полукръг)"),
        { QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_H) });
    guessMode = makeAction(window, QStringLiteral("Познай следващия мандат"),
        { QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Q) });
    guessMode->setCheckable(true);
    // A text box with the focus takes its digits before these keys: a guess is named from the
    // buttons, the lists or the chamber.
    for (int digit = 1; digit <= 10; ++digit) {
        QAction* key = makeAction(window, QString(), { QKeySequence(Qt::Key_0 + digit % 10) });
        key->setData(digit);
        key->setEnabled(false);
        guessKeys << key;
    }
    lessonTitle = makeAction(window, QStringLiteral("Заглавие на урока…"),
        { QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L) });
    voteCount = makeAction(window, QStringLiteral("Праг и други гласове…"),
        { QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_G) });
    zoomIn = makeAction(window, QStringLiteral("Увеличи"),
        standard(QKeySequence::ZoomIn, { QKeySequence(Qt::CTRL | Qt::Key_Equal) }));
    zoomOut = makeAction(window, QStringLiteral("Намали"), standard(QKeySequence::ZoomOut));
    zoomReset = makeAction(
        window, QStringLiteral("Нормален размер"), { QKeySequence(Qt::CTRL | Qt::Key_0) });
    showMenu = makeAction(window, QString(), { QKeySequence(Qt::SHIFT | Qt::Key_F10) });
    const QString folder = examplesFolder();
    const QDir shipped(folder);
    for (const QString& file : folder.isEmpty()
            ? QStringList()
            : shipped.entryList({ QStringLiteral("*.mandati") }, QDir::Files, QDir::Name)) {
        // Listed by the lesson's own title, by its file's name where it has none.
        const apportion::LessonReading reading = readLessonFile(shipped.filePath(file));
        const QString title = reading.lesson && !reading.lesson->title.empty()
            ? QString::fromStdString(reading.lesson->title)
            : QFileInfo(file).completeBaseName();
        auto* example = new QAction(title, window);
        example->setData(shipped.filePath(file));
        examples << example;
    }
}

QMenu* FormActions::createMenu(QWidget* parent) const
{
    auto* menu = new QMenu(parent);
    menu->addAction(newExample);
    menu->addAction(openLesson);
    menu->addAction(saveLesson);
    menu->addAction(saveLessonAs);
    QMenu* shipped = menu->addMenu(QStringLiteral("Примери"));
    shipped->addActions(examples);
    shipped->menuAction()->setEnabled(!examples.isEmpty());
    menu->addAction(lastLesson);
    QMenu* kept = menu->addMenu(QStringLiteral("Последни уроци"));
    kept->addActions(keptLessons);
    kept->menuAction()->setEnabled(!keptLessons.isEmpty());
    menu->addAction(lessonTitle);
    menu->addAction(voteCount);
    menu->addSeparator();
    menu->addAction(undo);
    menu->addAction(redo);
    menu->addSeparator();
    menu->addAction(addParty);
    menu->addAction(removeParty);
    menu->addAction(nameParties);
    menu->addAction(nextVoteColumn);
    menu->addSeparator();
    menu->addAction(copy);
    menu->addAction(print);
    menu->addAction(compare);
    menu->addAction(hemicycle);
    menu->addAction(guessMode);
    menu->addSeparator();
    menu->addAction(zoomIn);
    menu->addAction(zoomOut);
    menu->addAction(zoomReset);
    return menu;
}
