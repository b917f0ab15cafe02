#include "plot/qt/registres_evenements.h"

#include "numeric/registres_vectoriels.h"

#include <QCoreApplication>
#include <QObject>

namespace varlem {

namespace {

// An application-wide filter that lets every event through.
class liberateur final : public QObject {
  public:
    using QObject::QObject;

    bool eventFilter(QObject*, QEvent*) override {
        liberer_moities_hautes();
        return false;
    }
};

} // namespace

void liberer_registres_a_chaque_evenement(QCoreApplication& app) {
    liberer_moities_hautes();
    // Owned by the application, so removed with it.
    app.installEventFilter(new liberateur(&app));
}

} // namespace varlem
