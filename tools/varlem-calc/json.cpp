#include "json.h"

#include <cmath>
#include <cstdio>

namespace varlem::calc {

json json::nouveau_tableau() {
    json j;
    j.v_ = std::make_shared<tableau>();
    return j;
}

json json::nouvel_objet() {
    json j;
    j.v_ = std::make_shared<objet>();
    return j;
}

json& json::ajouter(json valeur) {
    if (!std::holds_alternative<tableau_ptr>(v_)) v_ = std::make_shared<tableau>();
    auto& t = *std::get<tableau_ptr>(v_);
    t.push_back(std::move(valeur));
    return t.back();
}

json& json::operator[](const std::string& cle) {
    if (!std::holds_alternative<objet_ptr>(v_)) v_ = std::make_shared<objet>();
    auto& o = *std::get<objet_ptr>(v_);
    for (auto& [k, v] : o)
        if (k == cle) return v;
    o.emplace_back(cle, json());
    return o.back().second;
}

namespace {

void ecrire_chaine(const std::string& s, std::string& sortie) {
    sortie += '"';
    for (unsigned char c : s) {
        switch (c) {
        case '"':
            sortie += "\\\"";
            break;
        case '\\':
            sortie += "\\\\";
            break;
        case '\n':
            sortie += "\\n";
            break;
        case '\r':
            sortie += "\\r";
            break;
        case '\t':
            sortie += "\\t";
            break;
        default:
            if (c < 0x20) {
                char u[8];
                std::snprintf(u, sizeof u, "\\u%04x", c);
                sortie += u;
            } else {
                sortie += static_cast<char>(c);
            }
        }
    }
    sortie += '"';
}

void ecrire_nombre(double x, std::string& sortie) {
    if (!std::isfinite(x)) {
        sortie += "null";
        return;
    }
    char t[40];
    if (x == std::trunc(x) && std::fabs(x) < 1e15)
        std::snprintf(t, sizeof t, "%.0f", x);
    else
        std::snprintf(t, sizeof t, "%.17g", x);
    sortie += t;
}

} // namespace

void json::ecrire(std::string& sortie) const {
    if (std::holds_alternative<std::monostate>(v_)) {
        sortie += "null";
    } else if (const bool* b = std::get_if<bool>(&v_)) {
        sortie += *b ? "true" : "false";
    } else if (const double* x = std::get_if<double>(&v_)) {
        ecrire_nombre(*x, sortie);
    } else if (const std::string* s = std::get_if<std::string>(&v_)) {
        ecrire_chaine(*s, sortie);
    } else if (const tableau_ptr* t = std::get_if<tableau_ptr>(&v_)) {
        sortie += '[';
        for (std::size_t i = 0; i < (*t)->size(); ++i) {
            if (i) sortie += ", ";
            (**t)[i].ecrire(sortie);
        }
        sortie += ']';
    } else {
        const objet& o = *std::get<objet_ptr>(v_);
        sortie += '{';
        for (std::size_t i = 0; i < o.size(); ++i) {
            if (i) sortie += ", ";
            ecrire_chaine(o[i].first, sortie);
            sortie += ": ";
            o[i].second.ecrire(sortie);
        }
        sortie += '}';
    }
}

std::string json::texte() const {
    std::string s;
    ecrire(s);
    return s;
}

} // namespace varlem::calc
