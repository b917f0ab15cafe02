#include "app/qt/marche_aleatoire.h"

#include "app/qt/fenetre_aide.h"
#include "app/qt/fenetre_principale.h"
#include "app/qt/marche_outils.h"
#include "document/fichier_fdt.h"
#include "document/qt/fenetre_systeme.h"
#include "studies/qt/fenetre_decomposition.h"
#include "studies/qt/fenetre_frequentielle.h"
#include "studies/qt/fenetre_lieu_evans.h"
#include "studies/qt/fenetre_poles_zeros.h"
#include "studies/qt/fenetre_stabilite.h"
#include "studies/qt/fenetre_temporelle.h"

#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <sstream>
#include <thread>

namespace varlem::test {

// ---------------------------------------------------------------------------------------------
// Timing.

void chronometrage::commencer(std::string nom, long rang, bool compte) {
    pile_.push_back({horloge::now(), {}, std::move(nom), rang, compte});
}

void chronometrage::finir(const std::string& nom) {
    en_cours e = std::move(pile_.back());
    pile_.pop_back();
    if (!nom.empty()) e.nom = nom;
    const horloge::duration total = horloge::now() - e.debut;
    if (!pile_.empty()) pile_.back().exclu += total;
    if (!e.compte) return;
    const double ms = std::chrono::duration<double, std::milli>(total - e.exclu).count();
    const duree_action d{ms, e.rang, std::move(e.nom)};
    if (ms > budget_ms) hors_budget_.push_back(d);
    if (lentes_.size() < 5 || ms > lentes_.back().ms) {
        lentes_.push_back(d);
        std::sort(lentes_.begin(), lentes_.end(),
                  [](const duree_action& a, const duree_action& b) { return a.ms > b.ms; });
        if (lentes_.size() > 5) lentes_.pop_back();
    }
}

// ---------------------------------------------------------------------------------------------
// The watch: an action that does not end (a hang, an endless loop) stops the program with the
// seed's action named, since no event of the walk can interrupt it.

namespace {

class veille {
  public:
    explicit veille(std::chrono::seconds limite) : limite_(limite), fil_([this] { guetter(); }) {}
    ~veille() {
        {
            const std::lock_guard verrou(m_);
            fin_ = true;
        }
        cv_.notify_all();
        fil_.join();
    }
    void debut(const std::string& nom) {
        const std::lock_guard verrou(m_);
        nom_ = nom;
        debut_ = std::chrono::steady_clock::now();
        en_cours_ = true;
    }
    void fin() {
        const std::lock_guard verrou(m_);
        en_cours_ = false;
    }

  private:
    void guetter() {
        std::unique_lock verrou(m_);
        while (!fin_) {
            cv_.wait_for(verrou, std::chrono::seconds(1));
            if (en_cours_ && std::chrono::steady_clock::now() - debut_ > limite_) {
                std::fprintf(stderr,
                             "\nMARCHE BLOQUEE : l'action « %s » dure depuis plus de %lld s\n",
                             nom_.c_str(), static_cast<long long>(limite_.count()));
                std::fflush(stderr);
                std::abort();
            }
        }
    }

    std::chrono::seconds limite_;
    std::mutex m_;
    std::condition_variable cv_;
    bool fin_ = false;
    bool en_cours_ = false;
    std::string nom_;
    std::chrono::steady_clock::time_point debut_;
    std::thread fil_;
};

#if defined(__SANITIZE_ADDRESS__) || !defined(NDEBUG)
constexpr std::chrono::seconds limite_action(300);
#else
constexpr std::chrono::seconds limite_action(60);
#endif

std::unique_ptr<veille> la_veille;

void ecrire(const QString& chemin, const QByteArray& contenu) {
    QFile f(chemin);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(contenu);
}

QByteArray systeme_fdt(const std::vector<textes_fdt>& f, const char* fin = "\r\n") {
    QByteArray t = QByteArray::number(static_cast<int>(f.size())) + fin;
    for (const textes_fdt& x : f)
        t += QByteArray::fromStdString(x.num) + fin + QByteArray::fromStdString(x.den) + fin;
    return t;
}

// The user's functions in the document: the saved bank while the loop is closed, none while a
// template is studied.
std::vector<textes_fdt> fonctions_utilisateur(const systeme& s) {
    std::vector<textes_fdt> v;
    if (s.etudes.mode_filtre) return v;
    const banque_fonctions& b = s.etudes.boucle_fermee ? s.sauvegarde : s.fonctions;
    const int n = std::clamp(s.etudes.boucle_fermee ? s.nb_sauve : s.nb_fonctions, 0, 8);
    for (int k = 1; k <= n; ++k) {
        const fdt& f = b[static_cast<std::size_t>(k)].fonction;
        v.push_back(avec_retard({f.texte_num, f.texte_den}, f.retard));
    }
    return v;
}

// The functions of a file's content with the delays of its trailer (none when it is refused).
std::vector<textes_fdt> textes_du_contenu(std::string_view contenu) {
    const textes_lus lus = decouper_fichier(contenu);
    std::vector<textes_fdt> v = lus.fonctions;
    const lecture_bloc_retards r = lire_bloc_retards(
        contenu.substr(std::min(lus.fin_fonctions, contenu.size())), static_cast<int>(v.size()));
    for (std::size_t k = 0; k < r.retards.size() && k < v.size(); ++k)
        v[k] = avec_retard(v[k], r.retards[k]);
    return v;
}

QByteArray contenu_de(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

std::string_view vue(const QByteArray& c) {
    return std::string_view(c.constData(), static_cast<std::size_t>(c.size()));
}

std::vector<textes_fdt> textes_du_fichier(const QString& chemin) {
    return textes_du_contenu(vue(contenu_de(chemin)));
}

// What reading the file says beside its functions (a refused trailer), empty for nothing.
QString avertissement_du_fichier(const QString& chemin, char lettre) {
    systeme s;
    s.lettre_variable = lettre;
    s.calcul.graine = 1;
    reglages r;
    return QString::fromStdString(lire_systeme_texte(s, r, vue(contenu_de(chemin))).avertissement);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// The walk.

marche_aleatoire::marche_aleatoire(std::uint64_t graine, const QString& dossier)
    : h_(graine), dossier_(dossier), plat_(std::make_unique<plateforme_scriptee>()) {
#if defined(__SANITIZE_ADDRESS__) || !defined(NDEBUG)
    // The budget holds for the optimised build; the others only report their slowest actions.
    chrono_.budget_ms = 1e9;
#endif
    la_veille = std::make_unique<veille>(limite_action);
    preparer_fichiers();
    demarrer_application();
    declarer_actions();
}

marche_aleatoire::~marche_aleatoire() {
    app_.reset();
    la_veille.reset();
}

void marche_aleatoire::demarrer_application() {
    app_.reset();
    app_ = std::make_unique<application_varlem>(*plat_);
    // Root searches drawn from the walk: the same seed finds the same roots.
    app_->document().calcul.graine = h_.brut();
    // Where the last session left the windows, before any is shown.
    retenir_places();
    app_->montrer();
    modele_.clear();
    modele_enregistre_ = true;
}

void marche_aleatoire::preparer_fichiers() {
    const QDir d(dossier_);
    const auto offrir = [&](const QString& nom, const QByteArray& contenu,
                            std::optional<bool> lisible, char lettre = 'p') {
        const QString chemin = d.filePath(nom);
        ecrire(chemin, contenu);
        fichiers_.push_back({chemin, lisible, lettre});
    };
    offrir(QStringLiteral("un.fdt"), systeme_fdt({{"1", "1+p"}}), true);
    offrir(QStringLiteral("trois.fdt"),
           systeme_fdt({{"1", "(1+p)(1+2p)"}, {"1+p", "1+3p+p^2"}, {"(3p)(1+2p+1.5p^3)", "p^4+1"}}),
           true);
    std::vector<textes_fdt> huit;
    for (int k = 1; k <= 8; ++k)
        huit.push_back({std::to_string(k), "1+" + std::to_string(k) + "p+p^2"});
    offrir(QStringLiteral("huit.fdt"), systeme_fdt(huit), true);
    offrir(QStringLiteral("zero.fdt"), "0\r\n", true);
    offrir(QStringLiteral("lf.fdt"), systeme_fdt({{"2", "1+0.5p"}}, "\n"), true);
    offrir(QStringLiteral("en_s.fdt"), systeme_fdt({{"1", "1+s"}, {"s", "1+s+s^2"}}), true, 's');
    offrir(QStringLiteral("imaginaires.fdt"), systeme_fdt({{"1", "1+p^2"}, {"p", "p^2"}}), true);
    offrir(QStringLiteral("degre15.fdt"), systeme_fdt({{"p^15+1", "(1+p)^15"}}), std::nullopt);
    // Delays: a trailer read exactly, one of zeros, one followed by a later section, LF ends;
    // trailers refused (the functions read without delay and a warning): negative, missing,
    // unreadable, too long, with blanks.
    const QByteArray deux = systeme_fdt({{"1", "1+p"}, {"2", "(1+p)(1+0.5p)"}});
    offrir(QStringLiteral("retards.fdt"), deux + "[retards]\r\n1\r\n0.30000000000000004\r\n", true);
    offrir(QStringLiteral("retards_nuls.fdt"), deux + "[retards]\r\n0\r\n0\r\n", true);
    offrir(QStringLiteral("retards_suite.fdt"), deux + "[retards]\r\n2.5\r\n0\r\n[autre]\r\nx\r\n",
           true);
    offrir(QStringLiteral("retards_lf.fdt"),
           systeme_fdt({{"1", "p^2+0.2p+1"}}, "\n") + "[retards]\n1E-3\n", true);
    offrir(QStringLiteral("retard_grand.fdt"), systeme_fdt({{"1", "1+p"}}) + "[retards]\r\n50\r\n",
           true);
    for (const auto& [nom, traineur] :
         {std::pair{"retard_negatif.fdt", "[retards]\r\n1\r\n-2\r\n"},
          std::pair{"retard_manquant.fdt", "[retards]\r\n1\r\n"},
          std::pair{"retard_illisible.fdt", "[retards]\r\nabc\r\n1\r\n"},
          std::pair{"retard_blanc.fdt", "[retards]\r\n 1\r\n1\r\n"},
          std::pair{"retard_infini.fdt", "[retards]\r\n1e999\r\n1\r\n"}})
        offrir(QString::fromUtf8(nom), deux + traineur, true);
    offrir(QStringLiteral("retard_long.fdt"),
           deux + "[retards]\r\n" + QByteArray(200, '1') + "\r\n1\r\n", true);
    // Broken files: each must be refused with the system left as it was.
    offrir(QStringLiteral("mot.fdt"), "abc\r\n1\r\n1+p\r\n", false);
    std::vector<textes_fdt> neuf(9, {"1", "1+p"});
    offrir(QStringLiteral("neuf.fdt"), systeme_fdt(neuf), false);
    offrir(QStringLiteral("negatif.fdt"), "-1\r\n1\r\n1+p\r\n", false);
    offrir(QStringLiteral("tronque.fdt"), "3\r\n1\r\n1+p\r\n2\r\n1+2p\r\n", false);
    offrir(QStringLiteral("syntaxe.fdt"), systeme_fdt({{"1", "1+p"}, {"(((", "1+"}}), false);
    offrir(QStringLiteral("degre16.fdt"), systeme_fdt({{"1", "p^16+1"}}), false);
    offrir(QStringLiteral("ligne_longue.fdt"), "1\r\n1\r\n" + QByteArray(150'000, 'p') + "\r\n",
           false);
    QByteArray binaire;
    hasard octets(7);
    for (int i = 0; i < 4096; ++i) binaire += static_cast<char>(octets.entier(0, 255));
    offrir(QStringLiteral("binaire.fdt"), binaire, std::nullopt);
    offrir(QStringLiteral("utf8.fdt"), "1\r\n\xff\xfe\x80\r\n1+p\r\n", false);
    offrir(QStringLiteral("compte_enorme.fdt"), "99999999999999999999999\r\n1\r\n1+p\r\n", false);
    offrir(QStringLiteral("vide.fdt"), QByteArray(), false);
    // Huge files: longer than any system file, or eight functions of very long texts.
    QByteArray enorme = "1\r\n1\r\n1+p\r\n";
    while (enorme.size() < 3'000'000) enorme += "1+p+p^2+p^3+p^4+p^5+p^6+p^7\r\n";
    offrir(QStringLiteral("enorme.fdt"), enorme, std::nullopt);
    std::vector<textes_fdt> longs;
    std::string somme = "1";
    while (somme.size() < 90'000) somme += "+0.5";
    for (int k = 0; k < 8; ++k) longs.push_back({somme, somme + "+p"});
    offrir(QStringLiteral("textes_longs.fdt"), systeme_fdt(longs), true);
    // Unreadable: a folder, a missing file, a missing folder, no name at all.
    d.mkpath(QStringLiteral("dossier.fdt"));
    fichiers_.push_back({d.filePath(QStringLiteral("dossier.fdt")), false, 'p'});
    fichiers_.push_back({d.filePath(QStringLiteral("absent.fdt")), false, 'p'});
    fichiers_.push_back({QStringLiteral("/dossier/absent/x.fdt"), false, 'p'});
    fichiers_.push_back({QString(), false, 'p'});

    for (const char* nom :
         {"sys", "sys.fdt", "sys.txt", "mon.systeme", "x.fd", "système é.fdt", "trace.png",
          "trace.svg", "trace.pdf", "valeurs.csv", "trace.xyz", "sans_extension"})
        cibles_.push_back(d.filePath(QString::fromUtf8(nom)));
    // Places where nothing can be written.
    cibles_.push_back(QStringLiteral("/proc/varlem.fdt"));
    cibles_.push_back(QStringLiteral("/proc/varlem.png"));
    cibles_.push_back(QStringLiteral("/proc/varlem.csv"));
    cibles_.push_back(d.filePath(QStringLiteral("absent/x.fdt")));
    cibles_.push_back(d.filePath(QStringLiteral("dossier.fdt")));
    cibles_.push_back(d.filePath(QStringLiteral("un.fdt/x.fdt")));
    cibles_.push_back(QString());
}

void marche_aleatoire::preparer_reponses() {
    plateforme_scriptee& p = *plat_;
    p.reponses.clear();
    p.saisies.clear();
    p.ouvertures.clear();
    p.enregistrements.clear();
    p.couleurs.clear();
    p.polices.clear();
    p.impressions.clear();
    p.questions.clear();
    p.erreurs.clear();
    p.pickers.clear();
    p.invites.clear();
    reponses_donnees_.clear();
    for (int i = 0; i < 3; ++i) {
        const reponse r = h_.parmi(std::vector{reponse::oui, reponse::non, reponse::annuler});
        p.reponses.push_back(r);
        reponses_donnees_.push_back(r);
    }
    for (int i = 0; i < 3; ++i) p.saisies.push_back(valeur_aleatoire());
    fichier_donne_.reset();
    if (!h_.pile(0.15)) fichier_donne_ = h_.parmi(fichiers_);
    p.ouvertures.push_back(fichier_donne_ ? std::optional(fichier_donne_->chemin) : std::nullopt);
    cible_donnee_.reset();
    if (!h_.pile(0.15)) cible_donnee_ = h_.parmi(cibles_);
    p.enregistrements.push_back(cible_donnee_);
    for (int i = 0; i < 2; ++i)
        p.couleurs.push_back(h_.pile(0.2)
                                 ? std::nullopt
                                 : std::optional(static_cast<couleur>(h_.entier(0, 0xFFFFFF))));
    if (h_.pile(0.2)) {
        p.polices.push_back(std::nullopt);
    } else {
        const QString familles[] = {QStringLiteral("DejaVu Sans"), QStringLiteral("Arial"),
                                    QStringLiteral("Courier"), QStringLiteral("Inexistante"),
                                    QString()};
        QFont f(familles[h_.entier(0, 4)]);
        f.setPointSize(h_.parmi(std::vector{1, 2, 6, 8, 12, 24, 72, 200}));
        p.polices.push_back(f);
    }
}

std::string marche_aleatoire::derniers_pas() const {
    std::ostringstream o;
    for (const std::string& p : journal_) o << "  " << p << "\n";
    return o.str();
}

void marche_aleatoire::noter(const std::string& detail) {
    detail_ += " " + detail;
}

void marche_aleatoire::marcher(long n) {
    limite_ = n;
    while (rang_ < limite_ && !en_echec_) pas();
}

void marche_aleatoire::pas() {
    std::vector<const action*> offertes;
    int total = 0;
    for (const action& a : actions_)
        if (!a.possible || a.possible()) {
            offertes.push_back(&a);
            total += a.poids;
        }
    int tirage = h_.entier(0, total - 1);
    for (const action* a : offertes) {
        tirage -= a->poids;
        if (tirage < 0) {
            executer(a->nom, a->faire);
            return;
        }
    }
}

void marche_aleatoire::executer(const std::string& nom, const std::function<void()>& faire) {
    // A dialog left open by the previous action would take every event from now on.
    if (QWidget* m = QApplication::activeModalWidget()) {
        constater(false, "a modal dialog stayed open: " + std_(m->windowTitle()));
        if (auto* d = qobject_cast<QDialog*>(m)) d->reject();
    }
    preparer_reponses();
    attendu_.reset();
    fichier_depose_.reset();
    ++rang_;
    detail_ = nom;
    la_veille->debut(std::to_string(rang_) + " " + nom);
    // A modal dialog that opens unasked is closed after a while, as a failure.
    QObject garde;
    QTimer::singleShot(20'000, &garde, [this] {
        if (QWidget* m = QApplication::activeModalWidget()) {
            constater(false, "an unexpected modal dialog opened: " + std_(m->windowTitle()));
            if (auto* d = qobject_cast<QDialog*>(m)) d->reject();
        }
    });
    chrono_.commencer(nom, rang_);
    // VARLEM_PROFIL=n prints when action n started and ended on the monotonic clock, the one a
    // profiler's record can be cut with (perf record -k CLOCK_MONOTONIC, perf report --time).
    const auto maintenant = [] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
            .count();
    };
    const double debut = maintenant();
    const std::optional<textes_systeme> avant = textes_utilisateur();
    historique_deplace_ = false;
    enregistre_apres_.reset();
    faire();
    if (const char* profil = std::getenv("VARLEM_PROFIL"); profil && std::atol(profil) == rang_)
        std::fprintf(stderr, "action %ld : %.6f,%.6f\n", rang_, debut, maintenant());
    // The files the pickers gave, for the journal.
    for (const choix_fichier& c : plat_->pickers) {
        const std::optional<QString> f =
            c.titre == QStringLiteral("Ouvrir")
                ? (fichier_donne_ ? std::optional(fichier_donne_->chemin) : std::nullopt)
                : cible_donnee_;
        noter(std_(c.titre) + " " + (f ? std_(QFileInfo(*f).fileName()) : "(annulé)"));
    }
    QCoreApplication::processEvents();
    chrono_.finir(detail_);
    la_veille->fin();
    fin_de_pas();
    suivre_fichiers();
    if (session_finie_) {
        // The program ended: what the user had must be safe; then a new session starts.
        suivre_modele(std::vector<textes_fdt>{});
        session_finie_ = false;
        oublier_historique();
        demarrer_application();
    } else {
        suivre_modele(fonctions_utilisateur(app_->document()));
        suivre_historique(avant);
    }
    verifier();
}

void marche_aleatoire::etape(const std::string& nom, const std::function<void()>& faire,
                             bool verifier_apres) {
    const std::string parent = detail_;
    detail_ = "  ↳ " + nom;
    ++rang_;
    // Timed under the action it is a step of, as the user sees it.
    chrono_.commencer(parent.substr(0, parent.find(' ', 12)) + " : " + nom, rang_);
    faire();
    chrono_.finir();
    // The checks are the walk's time, not the action's.
    chrono_.commencer("vérifications", rang_, false);
    fin_de_pas();
    if (verifier_apres) verifier();
    chrono_.finir();
    detail_ = parent + " [" + nom + "]";
}

void marche_aleatoire::fin_de_pas() {
    std::string trace = std::to_string(rang_) + " " + detail_;
    if (bavard) std::printf("%s\n", trace.c_str());
    for (const textes_fdt& f : fonctions_utilisateur(app_->document())) trace += f.num + f.den;
    for (const unsigned char c : trace) empreinte_ = (empreinte_ ^ c) * 1099511628211ull;
    journal_.push_back(std::to_string(rang_) + " " + detail_);
    if (journal_.size() > 40) journal_.pop_front();
}

// ---------------------------------------------------------------------------------------------
// The user's work: files saved and read, and nothing lost unasked.

void marche_aleatoire::suivre_fichiers() {
    const systeme& s = app_->document();
    for (const choix_fichier& c : plat_->pickers) {
        if (c.titre != QStringLiteral("Enregistrer") || !cible_donnee_) continue;
        const std::optional<std::filesystem::path> nom =
            nom_enregistrement(std::filesystem::path(cible_donnee_->toStdU16String()));
        if (!nom) continue;
        const QString chemin = QString::fromStdU16String(nom->u16string());
        QFile f(chemin);
        if (!f.open(QIODevice::ReadOnly)) continue;
        const QByteArray contenu = f.readAll();
        const std::string_view texte(contenu.constData(), static_cast<std::size_t>(contenu.size()));
        // What the user had is in the file, and reads back as the same texts; a file written
        // with something else (a template studied) is no longer known to be good.
        std::erase_if(fichiers_, [&](const fichier_offert& o) { return o.chemin == chemin; });
        fichiers_.push_back({chemin, std::nullopt, s.lettre_variable});
        // A template saved is no system of the user's: none is saved then.
        if (s.etudes.mode_filtre && plat_->erreurs.isEmpty()) textes_enregistres_.clear();
        if (!memes_textes(textes_du_contenu(texte), modele_)) continue;
        systeme relu;
        relu.lettre_variable = s.lettre_variable;
        relu.calcul.graine = 1;
        reglages r;
        const resultat_fichier res = lire_systeme_texte(relu, r, texte);
        constater(res.reussi(), "a saved system does not read back: " + res.message());
        constater(memes_textes(fonctions_utilisateur(relu), modele_),
                  "a saved system reads back other texts");
        modele_enregistre_ = true;
        textes_enregistres_ = modele_;
        if (bavard)
            std::printf("    enregistré %s (%c)\n", std_(chemin).c_str(), s.lettre_variable);
        fichiers_.back().lisible = true;
    }
}

bool marche_aleatoire::perte_permise(const std::vector<textes_fdt>& actuel) const {
    const qsizetype posees = plat_->questions.size();
    for (qsizetype i = 0; i < posees && i < static_cast<qsizetype>(reponses_donnees_.size()); ++i) {
        if (reponses_donnees_[static_cast<std::size_t>(i)] == reponse::non) return true;
        // "Oui" saved the system first: it is in the file.
        if (reponses_donnees_[static_cast<std::size_t>(i)] == reponse::oui && modele_enregistre_)
            return true;
    }
    // Reading another file replaces the system by the file's.
    for (const std::optional<QString>& f :
         {fichier_donne_ ? std::optional(fichier_donne_->chemin) : std::nullopt, fichier_depose_})
        if (f && memes_textes(actuel, textes_du_fichier(*f))) return true;
    return posees == 0 && (modele_enregistre_ || modele_.empty());
}

void marche_aleatoire::suivre_modele(const std::vector<textes_fdt>& actuel) {
    if (attendu_) {
        constater(memes_textes(actuel, *attendu_),
                  "the functions are not the ones the user accepted: " + decrire(actuel) +
                      " instead of " + decrire(*attendu_));
    } else if (!memes_textes(actuel, modele_)) {
        constater(perte_permise(actuel), "the user's functions changed without a question: " +
                                             decrire(actuel) + " instead of " + decrire(modele_));
    }
    // Functions that are a file's are safe in it; others are not once they changed.
    const bool lu =
        (fichier_donne_ && memes_textes(actuel, textes_du_fichier(fichier_donne_->chemin))) ||
        (fichier_depose_ && memes_textes(actuel, textes_du_fichier(*fichier_depose_)));
    if (lu) {
        modele_enregistre_ = true;
        // Only a file read is the system last read; the texts of a file never opened are not.
        const bool ouvert =
            fichier_depose_ ||
            std::any_of(plat_->pickers.begin(), plat_->pickers.end(),
                        [](const choix_fichier& c) { return c.titre == QStringLiteral("Ouvrir"); });
        if (ouvert && !historique_deplace_) textes_enregistres_ = actuel;
    } else if (!memes_textes(actuel, modele_)) {
        modele_enregistre_ = actuel.empty();
    }
    // Undone or redone back to what was saved or read, the system is safe in its file.
    if (enregistre_apres_) modele_enregistre_ = *enregistre_apres_;
    // A file the walk knows to be good reads, a broken one is refused (the errors shown after
    // the open picker are the reading's: a failed save before it would have stopped it).
    for (const choix_fichier& c : plat_->pickers) {
        if (c.titre != QStringLiteral("Ouvrir") || !fichier_donne_ || !fichier_donne_->lisible)
            continue;
        const std::string nom = std_(QFileInfo(fichier_donne_->chemin).fileName());
        if (!*fichier_donne_->lisible)
            constater(!plat_->erreurs.isEmpty(), "a broken file was read: " + nom);
        else if (fichier_donne_->lettre == app_->document().lettre_variable) {
            // A good file may come with what its reading left aside, said once.
            const QString avertissement =
                avertissement_du_fichier(fichier_donne_->chemin, fichier_donne_->lettre);
            constater(plat_->erreurs.isEmpty() || (!avertissement.isEmpty() &&
                                                   plat_->erreurs == QStringList{avertissement}),
                      "a good file was refused: " + nom + ": " +
                          std_(plat_->erreurs.join(QStringLiteral(" / "))));
        }
    }
    modele_ = actuel;
}

// ---------------------------------------------------------------------------------------------
// The actions of the main window and of the windows as the desktop handles them.

void marche_aleatoire::declarer_actions() {
    declarer_actions_principales();
    declarer_actions_fenetres();
    declarer_actions_systeme();
    declarer_actions_etudes();
    declarer_actions_cours();
    declarer_actions_bureau();
}

void marche_aleatoire::quitter(bool par_menu) {
    fenetre_principale& p = app_->principale();
    if (par_menu)
        p.actions().quitter->trigger();
    else
        p.close();
    session_finie_ = !p.isVisible();
    if (session_finie_) noter("(fermé)");
}

void marche_aleatoire::declarer_actions_principales() {
    const auto principale = [this] { return &app_->principale(); };
    struct commande_principale {
        const char* nom;
        std::function<QAction*()> action;
        bool par_menu;
        int poids;
    };
    const auto pp = [principale](QAction* actions_principales::*membre) {
        return [=] { return principale()->actions().*membre; };
    };
    const commande_principale commandes[] = {
        {"Entree", pp(&actions_principales::entree), false, 2},
        {"Ouvrir", pp(&actions_principales::ouvrir), false, 4},
        {"Menu Ouvrir", pp(&actions_principales::menu_ouvrir), true, 2},
        {"Enregistrer", pp(&actions_principales::enregistrer), false, 3},
        {"Menu Enregistrer", pp(&actions_principales::menu_enregistrer), true, 2},
        {"Etude temporelle", [this] { return app_->temporelle().commande(); }, false, 4},
        {"Etude fréquentielle", [this] { return app_->frequentielle().commande(); }, false, 4},
        {"Pôles et zéros", [this] { return app_->poles_zeros().commande(); }, false, 3},
        {"Décomposition", [this] { return app_->decomposition().commande(); }, false, 3},
        {"Lieu d'Evans", [this] { return app_->lieu_evans().commande(); }, false, 3},
        {"Stabilité", [this] { return app_->stabilite().commande(); }, false, 3},
        {"Cascade", pp(&actions_principales::cascade), false, 1},
        {"Mosaïque horizontale", pp(&actions_principales::mosaique_horizontale), false, 1},
        {"Mosaïque verticale", pp(&actions_principales::mosaique_verticale), false, 1},
        {"Tout réduire", pp(&actions_principales::tout_reduire), true, 1},
        {"Tout réorganiser", pp(&actions_principales::reorganiser), true, 1},
        {"Nouveau systeme", pp(&actions_principales::nouveau_systeme), true, 1},
        {"Syntaxe", pp(&actions_principales::syntaxe), true, 1},
        {"Correcteur", pp(&actions_principales::correcteur), true, 1},
    };
    for (const commande_principale& c : commandes)
        actions_.push_back({c.nom, c.poids,
                            [=] {
                                const QAction* a = c.action();
                                return a->isEnabled() && a_l_ecran(principale());
                            },
                            [=] {
                                QAction* a = c.action();
                                if (c.par_menu) {
                                    a->trigger();
                                    return;
                                }
                                auto* b = qobject_cast<QAbstractButton*>(
                                    principale()->barre()->widgetForAction(a));
                                if (b && a_l_ecran(b))
                                    QTest::mouseClick(b, Qt::LeftButton);
                                else
                                    a->trigger();
                            }});
    actions_.push_back(
        {"Parametres (réglages)", 4,
         [=] { return principale()->actions().parametres->isEnabled() && a_l_ecran(principale()); },
         [this] {
             avec_modal<QDialog>([this] { app_->principale().actions().parametres->trigger(); },
                                 [this](QDialog&) { regler_dans_dialogue(); });
         }});
    actions_.push_back(
        {"A propos", 1, [=] { return a_l_ecran(principale()); },
         [this] {
             avec_modal<QDialog>(
                 [this] { app_->principale().actions().a_propos->trigger(); },
                 [this](QDialog& d) {
                     if (h_.pile(0.5))
                         QTest::keyClick(&d, Qt::Key_Escape);
                     else if (auto* ok = controle<QAbstractButton>(&d, QStringLiteral("OK")))
                         QTest::mouseClick(ok, Qt::LeftButton);
                 });
         }});
    actions_.push_back(
        {"Quitter", 1, [=] { return a_l_ecran(principale()); }, [this] { quitter(h_.pile(0.5)); }});
    actions_.push_back({"Déposer un fichier", 1, [=] { return a_l_ecran(principale()); },
                        [this] {
                            const fichier_offert& f = h_.parmi(fichiers_);
                            fichier_depose_ = f.chemin;
                            noter(std_(QFileInfo(f.chemin).fileName()));
                            auto* donnees = new QMimeData;
                            donnees->setUrls({QUrl::fromLocalFile(f.chemin)});
                            fenetre_principale& p = app_->principale();
                            const QPoint centre = p.rect().center();
                            QDragEnterEvent entree(centre, Qt::CopyAction, donnees, Qt::LeftButton,
                                                   Qt::NoModifier);
                            QApplication::sendEvent(&p, &entree);
                            if (entree.isAccepted()) {
                                QDropEvent depot(centre, Qt::CopyAction, donnees, Qt::LeftButton,
                                                 Qt::NoModifier);
                                QApplication::sendEvent(&p, &depot);
                            }
                            delete donnees;
                        }});
}

void marche_aleatoire::declarer_actions_fenetres() {
    // The windows the desktop lets the user move, resize, minimise, restore and close.
    const auto fenetres = [this] {
        std::vector<QWidget*> v = {
            &app_->principale(), &app_->fenetre_fonctions(), &app_->frequentielle(),
            &app_->temporelle(), &app_->poles_zeros(),       &app_->decomposition(),
            &app_->lieu_evans(), &app_->stabilite(),         &app_->aide()};
        for (QMdiSubWindow* f : app_->principale().cadre()->subWindowList()) v.push_back(f);
        return v;
    };
    const auto une_visible = [this, fenetres](bool minimisee) {
        std::vector<QWidget*> v;
        for (QWidget* w : fenetres())
            if (w->isVisible() && w->isMinimized() == minimisee) v.push_back(w);
        if (v.empty()) return static_cast<QWidget*>(nullptr);
        QWidget* w = h_.parmi(v);
        noter(std_(w->windowTitle()));
        return w;
    };
    const auto visible = [fenetres](bool minimisee) {
        return [fenetres, minimisee] {
            for (QWidget* w : fenetres())
                if (w->isVisible() && w->isMinimized() == minimisee) return true;
            return false;
        };
    };
    actions_.push_back({"Redimensionner", 6, visible(false), [this, une_visible] {
                            QWidget* w = une_visible(false);
                            // Slivers, ordinary windows and huge ones.
                            int l = 0, h = 0;
                            switch (h_.entier(0, 7)) {
                            case 0:
                                l = h_.entier(1, 120);
                                h = h_.entier(1, 120);
                                break;
                            case 1:
                                l = h = 1;
                                break;
                            case 2:
                                l = 4000;
                                h = 3000;
                                break;
                            case 3:
                                l = h_.entier(1200, 4000);
                                h = h_.entier(900, 3000);
                                break;
                            default:
                                l = h_.entier(200, 1400);
                                h = h_.entier(150, 1000);
                            }
                            noter(std::to_string(l) + "x" + std::to_string(h));
                            w->resize(l, h);
                        }});
    actions_.push_back(
        {"Réduire", 2, visible(false), [une_visible] { une_visible(false)->showMinimized(); }});
    actions_.push_back(
        {"Agrandir", 1, visible(false), [une_visible] { une_visible(false)->showMaximized(); }});
    actions_.push_back(
        {"Restaurer", 4, visible(true), [une_visible] { une_visible(true)->showNormal(); }});
    actions_.push_back({"Fermer une fenêtre", 2,
                        [this] {
                            for (QWidget* w : {static_cast<QWidget*>(&app_->fenetre_fonctions()),
                                               static_cast<QWidget*>(&app_->frequentielle()),
                                               static_cast<QWidget*>(&app_->temporelle()),
                                               static_cast<QWidget*>(&app_->poles_zeros()),
                                               static_cast<QWidget*>(&app_->decomposition()),
                                               static_cast<QWidget*>(&app_->lieu_evans()),
                                               static_cast<QWidget*>(&app_->stabilite()),
                                               static_cast<QWidget*>(&app_->aide())})
                                if (w->isVisible()) return true;
                            return !app_->principale().cadre()->subWindowList().isEmpty();
                        },
                        [this, fenetres] {
                            std::vector<QWidget*> v;
                            for (QWidget* w : fenetres())
                                if (w->isVisible() && w != &app_->principale()) v.push_back(w);
                            if (v.empty()) return;
                            QWidget* w = h_.parmi(v);
                            noter(std_(w->windowTitle()));
                            w->close();
                        }});
}

} // namespace varlem::test
