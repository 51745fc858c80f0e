// The catalogue of the 50 data files, typed once as a constant table.
#include "database/catalogue.h"

#include <string_view>

namespace tx3 {

namespace {

constexpr int16_t S = -1;  // the Suite marker

// One row per data file; row n is FRADnnn. Segments are listed key after key.
// clang-format off
constexpr std::array<FichierRec, kNombreDeFichiers> kCatalogue{{
  {"Paramétrage", 'N', 'N', 1000, 1024, 1, {{{1, 10, 2}}}},
  {"Commerciaux", 'N', 'N', 300, 1024, 2, {{{1, 8, 2}, {9, 10, 1027}}}},
  {"Secteurs d'activité", 'N', 'N', 100, 512, 2, {{{1, 10, 2}, {11, 10, 1027}}}},
  {"Clients", 'N', 'N', 900, 1024, 2, {{{1, 8, 2}, {9, 10, 1027}}}},
  {"Produits", 'N', 'N', 100, 512, 2, {{{1, 10, 2}, {11, 10, 1027}}}},
  {"Entêtes des contrats", 'O', 'N', 150, 512, 4,
   {{{1, 16, 2}, {3, 14, 2}, {11, 6, 2}, {40, 40, 1027}}}},
  {"Entêtes des spots", 'O', 'N', 400, 512, 2, {{{1, 8, 2}, {9, 10, 1027}}}},
  {"Dates de planification des passages des spots", 'O', 'N', 100, 512, 4,
   {{{1, 21, 2}, {9, 13, 3}, {26, 10, 19, S}, {9, 13, 3}, {36, 21, 3}}}},
  {"V 3.4 I-TX", 'N', 'N', 1000, 1024, 2, {{{1, 15, 2}, {16, 16, 3}}}},
  {"Paramétrage (Backup)", 'N', 'N', 1000, 1024, 1, {{{1, 10, 2}}}},
  {"Publicité: Données planifiées", 'O', 'N', 400, 512, 1, {{{1, 14, 2}}}},
  {"Gestion des droits des utilisateurs", 'N', 'N', 350, 1536, 1, {{{1, 83, 2}}}},
  {"Publicité: Système Tiers: Campagnes", 'N', 'N', 300, 1536, 7,
   {{{1, 18, 2}, {19, 50, 3}, {69, 8, 3}, {77, 8, 3}, {135, 1, 3}, {136, 7, 3}, {137, 6, 3}}}},
  {"Publicité: Système Tiers: Spots", 'N', 'N', 300, 1536, 5,
   {{{1, 33, 2}, {49, 12, 3}, {1, 3, 19, S}, {34, 15, 3}, {1, 48, 3}, {170, 15, 3}}}},
  {"Publicité: Système Tiers: Messages", 'N', 'N', 300, 1536, 3,
   {{{1, 18, 2}, {19, 1, 3}, {20, 9, 3}}}},
  {"Publicité: Système Tiers: Produits", 'N', 'N', 100, 1536, 2, {{{1, 53, 2}, {54, 10, 3}}}},
  {"Publicité: Système Tiers: Clients", 'N', 'N', 100, 1536, 2, {{{1, 53, 2}, {54, 8, 3}}}},
  {"V 3.4 Planification", 'O', 'N', 1000, 2048, 2, {{{1, 14, 2}, {198, 8, 3}}}},
  {"V 3.4 Log Pub", 'O', 'N', 250, 512, 3, {{{1, 14, 3}, {15, 16, 3}, {31, 16, 3}}}},
  {"Télé: Système Tiers: NinSight", 'N', 'N', 1000, 4096, 3,
   {{{1, 8, 2}, {9, 10, 3}, {19, 50, 3}}}},
  {"Artistes", 'O', 'N', 300, 1024, 4,
   {{{1, 5, 2}, {6, 10, 3}, {16, 20, 1027}, {46, 1, 19, S}, {16, 20, 3}}}},
  {"Voix, Groupe, Sonorité, Catégorie, ...", 'O', 'N', 980, 1024, 2,
   {{{1, 10, 2}, {1, 5, 1043, S}, {11, 10, 1027, S}}}},
  {"Morceaux", 'O', 'N', 900, 2048, 6,
   {{{1, 8, 2}, {9, 5, 3}, {19, 5, 3}, {64, 5, 3}, {69, 5, 3}, {24, 20, 1027}}}},
  {"Piles de morceaux par sujet", 'O', 'N', 100, 512, 3,
   {{{1, 8, 3}, {9, 11, 3}, {9, 5, 19, S}, {51, 20, 1027}}}},
  {"Piles de morceaux par catégorie", 'O', 'N', 100, 512, 3,
   {{{1, 8, 3}, {9, 11, 3}, {9, 5, 19, S}, {51, 20, 1027}}}},
  {"Priorités", 'O', 'N', 250, 512, 1, {{{1, 10, 2}}}},
  {"Table des morceaux pour le magnétophone", 'O', 'N', 150, 512, 4,
   {{{1, 8, 3}, {9, 19, 3}, {28, 14, 3}, {42, 39, 1027}}}},
  {"Conducteur publicité", 'O', 'N', 50, 512, 2, {{{1, 14, 2}, {15, 8, 3}}}},
  {"Evénements musicaux réellement diffusés", 'O', 'N', 150, 512, 3,
   {{{1, 16, 2}, {97, 8, 3}, {109, 14, 3}}}},
  {"Morceaux (Clés complémentaires)", 'O', 'N', 100, 512, 3,
   {{{1, 18, 3}, {1, 10, 1043, S}, {19, 20, 1027}, {11, 8, 3}}}},
  {"Squelette des horloges", 'O', 'N', 250, 512, 1, {{{1, 8, 2}}}},
  {"Pointeurs de start, stop, loop, ...", 'O', 'N', 50, 512, 1, {{{1, 11, 2}}}},
  {"Renseignements complémentaires sur les morceaux", 'O', 'N', 250, 1024, 1, {{{1, 10, 2}}}},
  {"Historique des artistes et groupes programmés", 'O', 'N', 100, 512, 3,
   {{{1, 16, 2}, {17, 19, 3}, {36, 19, 3}}}},
  {"Historique des morceaux programmés", 'O', 'N', 200, 1024, 6,
   {{{9, 14, 3}, {1, 22, 3}, {23, 54, 1027}, {77, 19, 3}, {96, 19, 3}, {115, 14, 3}}}},
  {"Historique des événements programmés", 'O', 'N', 400, 1024, 3,
   {{{1, 19, 2}, {253, 6, 3}, {1, 10, 19, S}, {14, 6, 3}}}},
  {"V 3.4 Sponsors des émissions", 'O', 'N', 100, 512, 3,
   {{{6, 5, 1026}, {1, 10, 1026}, {11, 8, 1027}}}},
  {"V 3.4 Informations sur les sons", 'N', 'N', 500, 1024, 3,
   {{{1, 8, 2}, {9, 12, 3}, {21, 12, 3}}}},
  {"V 3.4 Tools FTP", 'N', 'N', 900, 1024, 2, {{{1, 8, 2}, {9, 40, 3}}}},
  {"V 3.4 Tools FTP: Détail des imports/exports", 'N', 'N', 300, 2048, 1, {{{1, 68, 2}}}},
  {"V 3.4 Morceaux non diffusés", 'O', 'N', 900, 1024, 2, {{{1, 8, 3}, {9, 14, 3}}}},
  {"V 3.4 Convert Entête", 'N', 'N', 900, 2048, 3,
   {{{1, 10, 2}, {11, 50, 1027}, {61, 14, 1027}}}},
  {"V 3.4 Convert Détail", 'N', 'N', 900, 2048, 1, {{{1, 20, 2}}}},
  {"V 3.4 Podcast: Emission", 'O', 'N', 4000, 4096, 2, {{{1, 8, 2}, {9, 60, 1027}}}},
  {"V 3.4 Podcast: Articles des Emissions", 'O', 'N', 4000, 4096, 3,
   {{{1, 8, 2}, {9, 21, 3}, {30, 60, 1027}}}},
  {"V 3.4 Podcast: Images des Emissions ou des Articles", 'O', 'N', 4000, 4096, 1,
   {{{1, 8, 2}}}},
  {"V 3.4 Equivalence entre les morceaux", 'N', 'N', 512, 1024, 1, {{{1, 5, 2}}}},
  {"V 3.4 Historique de Diffusion: Codes et Libellés", 'O', 'O', 4082, 4096, 1,
   {{{1, 11, 2}}}},
  {"V 3.4 Table des titres", 'O', 'N', 100, 512, 2, {{{1, 8, 2}, {9, 43, 3}}}},
  {"V 3.4 Historique de Diffusion: Ecarts", 'O', 'N', 450, 512, 1, {{{1, 8, 2}}}},
}};
// clang-format on

}  // namespace

const std::array<FichierRec, kNombreDeFichiers>& Catalogue() {
  return kCatalogue;
}

std::string NomFichier(int number) {
  std::string name = "FRAD000";
  name[5] = static_cast<char>('0' + number / 10 % 10);
  name[6] = static_cast<char>('0' + number % 10);
  return name;
}

}  // namespace tx3
