#pragma once

#include <QObject>
#include <Qt>
#include <memory>

// A key combination taken from the whole desktop: its presses reach the
// program whichever program has the keyboard. One implementation per
// system, chosen by the build.
namespace platform {

class GlobalKey : public QObject {
    Q_OBJECT
public:
    enum class Outcome {
        Held,        // its presses come as pressed()
        Taken,       // another program holds it
        Unsupported, // no program may take keys from the others here
    };

    explicit GlobalKey(QObject *parent = nullptr);
    ~GlobalKey() override;

    // Takes the combination, letting go of the one held before.
    Outcome hold(Qt::KeyboardModifiers modifiers, Qt::Key key);
    void release();

signals:
    // Once per press: a key held down does not repeat it.
    void pressed();

private:
    struct Grab;
    std::unique_ptr<Grab> m_grab;
};

} // namespace platform
