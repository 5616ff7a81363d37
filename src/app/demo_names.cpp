#include "app/demo_names.h"

#include <array>
#include <set>

namespace veltrun {
namespace {

constexpr std::array<const char*, 40> Surnames = {
    "Nováková",  "Dvořák",   "Černý",     "Procházka", "Kučera",    "Wiśniewski", "Kowalczyk", "Wójcik",
    "Łukaszewicz", "Zieliński", "Müller",  "Schröder",  "Großmann",  "Weiß",       "Köhler",    "Nagy",
    "Kovács",    "Szabó",    "Tóth",      "Horváth",   "Lefèvre",   "Girard",     "Mercier",   "Fontaine",
    "García",    "Martínez", "López",     "Núñez",     "Silva",     "Gonçalves",  "Jansen",    "de Vries",
    "Andersson", "Johansson", "Håkansson", "Søren",    "Ólafsson",  "Popescu",    "Ștefănescu", "Petrović"};

constexpr std::array<const char*, 40> FirstNames = {
    "Jana",   "Tomáš",  "Zdeněk", "Kateřina", "Jiří",    "Łukasz", "Agnieszka", "Paweł",  "Małgorzata", "Jörg",
    "Jürgen", "Bärbel", "Uwe",    "Zoltán",   "Réka",    "Ágnes",  "Gábor",     "Élodie", "François",   "Hélène",
    "Jérôme", "José",   "María",  "Iñigo",    "Sofía",   "João",   "Inês",      "Daan",   "Sanne",      "Björn",
    "Åsa",    "Jørgen", "Siân",   "Ioana",    "Mihai",   "Dragoș", "Miloš",     "Ivana",  "Nikola",     "Anna"};

constexpr std::array<const char*, 16> Clubs = {
    "ŠK Slavia Praha", "SK Dvůr Králové", "KS Polonia Warszawa", "SC Münster 1923", "Budapesti Sakkör",
    "Échiquier Lyonnais", "Club Ajedrez Málaga", "SK Göteborg", "Schachfreunde Köln", "ŠK Bratislava",
    "Clube Xadrez Porto", "Schaakclub Utrecht", "Šachový klub Brno", "Wiener Schachverein", "Sah Club Cluj",
    "ŠK Ljubljana"};

}  // namespace

std::vector<std::string> DemoPlayerNames(int count, std::mt19937& random) {
    std::vector<std::string> names;
    std::set<std::string> used;
    std::uniform_int_distribution<size_t> surname(0, Surnames.size() - 1), first(0, FirstNames.size() - 1);
    while (static_cast<int>(names.size()) < count) {
        std::string name = std::string(Surnames[surname(random)]) + ", " + FirstNames[first(random)];
        // Beyond the 1600 combinations a name gets a number.
        if (used.count(name)) name.append(" ").append(std::to_string(names.size() + 1));
        if (used.insert(name).second) names.push_back(name);
    }
    return names;
}

std::vector<std::string> DemoTeamNames(int count) {
    std::vector<std::string> teams;
    for (int i = 0; i < count; ++i)
        teams.push_back(i < static_cast<int>(Clubs.size()) ? Clubs[static_cast<size_t>(i)]
                                                            : std::string("Club ").append(std::to_string(i + 1)));
    return teams;
}

}  // namespace veltrun
