#include "catalogue/text_catalogue.h"

#include "framework/text/text.h"

namespace {

constexpr std::array<CatalogueEntry, 82> kTextCatalogue{{
    {1, "gold", "Golden Girl", &x_GOLD::item, &x_GOLDzus::item, 4},
    {2, "under", "Underdog - Unbesiegt weil er fliegt", &x_Under::item, &x_Underzus::item, 6},
    {3, "kohle", "Zum Teufel mit den Kohlen", &x_KOHLE::item, &x_KOHLEzus::item, 6},
    {4, "freund", "Der Freund", &x_freund::item, &x_freundzus::item, 7},
    {5, "maca", "Macaroni", &x_MACA::item, &x_MACAzus::item, 8},
    {6, "drei", "Das tödliche Dreieck", &x_DREI::item, &x_DREIzus::item, 7},
    {7, "dorm", "Dormire", &x_DORM::item, &x_DORMzus::item, 11},
    {8, "luck", "Luck by Chance", &x_Luck::item, &x_Luckzus::item, 5},
    {9, "video", "Der Videopirat", &x_VIDEO::item, &x_VIDEOzus::item, 9},
    {10, "bird", "Birdy", &x_BIRD::item, &x_BIRDzus::item, 8},
    {11, "anne", "Anne Trister", &x_ANNE::item, &x_ANNEZUS::item, 7},
    {12, "meer", "Meer is nich", &x_meer::item, &x_meerzus::item, 7},
    {13, "zimmer", "Zimmer mit Aussicht", &x_ZIMMER::item, &x_ZIMMERzus::item, 9},
    {14, "verste", "Versteckt", &x_VERSTE::item, &x_VERSTEzus::item, 9},
    {15, "welle", "Die Welle", &x_welle::item, &x_wellezus::item, 6},
    {16, "para", "Das kalte Paradies", &x_PARA::item, &x_PARAzus::item, 7},
    {17, "run", "Run, Fat Boy, Run", &x_Run::item, &x_Runzus::item, 7},
    {18, "drag", "Drag me to Hell", &x_Drag::item, &x_Dragzus::item, 7},
    {19, "jan", "Jan auf der Zille", &x_JAN::item, &x_JANzus::item, 10},
    {20, "ause", "Die Auseinandersetzung", &x_AUSE::item, &x_AUSEzus::item, 9},
    {21, "time", "No Time to Die", &x_Time::item, &x_Timezus::item, 7},
    {22, "chance", "Ihre letzte Chance", &x_CHANCE::item, &x_CHANCEzus::item, 11},
    {23, "daheim", "Daheim sterben die Leut", &x_DAHEIM::item, &x_DAHEIMzus::item, 11},
    {24, "down", "Down by Law", &x_DOWN::item, &x_DOWNzus::item, 12},
    {25, "hard", "Hardcover", &x_hard::item, &x_hardzus::item, 11},
    {26, "impu", "Impulse", &x_IMPU::item, &x_IMPUzus::item, 7},
    {27, "ende", "Das schöne Ende der Welt", &x_ENDE::item, &x_ENDEzus::item, 11},
    {28, "joy", "Comfort and Joy", &x_JOY::item, &x_JOYzus::item, 7},
    {29, "flu", "Flucht zu dritt", &x_FLU::item, &x_FLUzus::item, 8},
    {30, "huehn", "Hühnchen in Essig", &x_HUEHN::item, &x_HUEHNzus::item, 11},
    {31, "vaclav", "Vaclav", &x_Vaclav::item, &x_Vaclavzus::item, 10},
    {32, "brief", "Brief an Breschnew", &x_BRIEF::item, &x_BRIEFzus::item, 11},
    {33, "micki", "Micki & Maude", &x_MICKI::item, &x_MICKIzus::item, 9},
    {34, "bruegge", "Brügge sehen... und sterben?", &x_Bruegge::item, &x_Brueggezus::item, 11},
    {35, "wunder", "Wir verstehen uns wunderbar", &x_wunder::item, &x_wunderzus::item, 11},
    {36, "goettl", "Die Göttliche", &x_GOETTL::item, &x_GOETTLzus::item, 7},
    {37, "year", "The Year My Parents went on Vacation", &x_year::item, &x_yearzus::item, 9},
    {38, "vegas", "Love Vegas", &x_vegas::item, &x_vegaszus::item, 9},
    {39, "mager", "Magere Zeiten", &x_MAGER::item, &x_MAGERzus::item, 9},
    {40, "watch", "Birdwatchers", &x_watch::item, &x_watchzus::item, 10},
    {41, "salami", "Salami Aleikum", &x_salami::item, &x_salamizus::item, 11},
    {42, "tzam", "13 Tzameti", &x_tzam::item, &x_tzamzus::item, 14},
    {43, "clayton", "Michael Clayton", &x_clayton::item, &x_claytonzus::item, 11},
    {44, "beste", "Die Bestechlichen", &x_BESTE::item, &x_BESTEzus::item, 10},
    {45, "einund", "21 (Einundzwanzig)", &x_einund::item, &x_einundzus::item, 13},
    {46, "rote", "Rote Küsse", &x_ROTE::item, &x_ROTEzus::item, 10},
    {47, "maedch", "Das Mädchen, das aus der Zeit sprang", &x_maedch::item, &x_maedchzus::item, 10},
    {48, "tricks", "Kleine Tricks", &x_tricks::item, &x_trickszus::item, 7},
    {49, "geschi", "Die offizielle Geschichte", &x_GESCHI::item, &x_GESCHIzus::item, 9},
    {50, "lovers", "Two Lovers", &x_Lovers::item, &x_Loverszus::item, 10},
    {51, "things", "Things We Lost in the Fire", &x_things::item, &x_thingszus::item, 10},
    {52, "falaf", "Falafel", &x_Falaf::item, &x_Falafzus::item, 11},
    {53, "luna", "La misma luna", &x_luna::item, &x_lunazus::item, 8},
    {54, "zeit", "Die Zeit nach Mitternacht", &x_ZEIT::item, &x_ZEITzus::item, 8},
    {55, "daddy", "Daddy ohne Plan", &x_daddy::item, &x_daddyzus::item, 11},
    {56, "talk", "Talk to Me", &x_talk::item, &x_talkzus::item, 15},
    {57, "daratt", "Daratt", &x_daratt::item, &x_darattzus::item, 12},
    {58, "entschei", "Tödliche Entscheidung", &x_entschei::item, &x_entscheizus::item, 14},
    {59, "extrem", "Extremities", &x_EXTREM::item, &x_EXTREMzus::item, 12},
    {60, "gruenst", "Die Grünstein-Variante", &x_GRUENST::item, &x_GRUENSTzus::item, 8},
    {61, "amende", "Was am Ende zählt", &x_amende::item, &x_amendezus::item, 17},
    {62, "dan", "Dan - Mitten im Leben", &x_dan::item, &x_danzus::item, 13},
    {63, "once", "Once", &x_once::item, &x_oncezus::item, 13},
    {64, "mosq", "Mosquito Coast", &x_MOSQ::item, &x_MOSQzus::item, 11},
    {65, "berlin", "Berlin am Meer", &x_berlin::item, &x_berlinzus::item, 13},
    {66, "blue", "My Blueberry Nights", &x_blue::item, &x_bluezus::item, 14},
    {67, "karo", "Karo und der liebe Gott", &x_karo::item, &x_karozus::item, 10},
    {68, "coco", "Cocoon", &x_COCO::item, &x_COCOzus::item, 15},
    {69, "verbrech", "Kleine Verbrechen", &x_Verbrech::item, &x_Verbrechzus::item, 13},
    {70, "eis", "Die Eisbombe", &x_eis::item, &x_eiszus::item, 14},
    {71, "fremde", "Der Fremde im Zug", &x_FREMDE::item, &x_FREMDEzus::item, 13},
    {72, "traum", "Cassandras Traum", &x_traum::item, &x_traumzus::item, 12},
    {73, "vineta", "Vineta", &x_vineta::item, &x_vinetazus::item, 12},
    {74, "king", "The Elephant King", &x_king::item, &x_kingzus::item, 15},
    {75, "zeuge", "Der einzige Zeuge", &x_ZEUGE::item, &x_ZEUGEzus::item, 12},
    {76, "abgedre", "Abgedreht", &x_abgedre::item, &x_abgedrezus::item, 12},
    {77, "tee", "Tee im Harem des Archimedes", &x_TEE::item, &x_TEEzus::item, 12},
    {78, "monaco", "Das Mädchen aus Monaco", &x_Monaco::item, &x_Monacozus::item, 15},
    {79, "savage", "Die Geschwister Savage", &x_savage::item, &x_savagezus::item, 12},
    {80, "rio", "Streets of Rio", &x_rio::item, &x_riozus::item, 14},
    {81, "schluss", "Das Beste kommt zum Schluss", &x_schluss::item, &x_schlusszus::item, 13},
    {82, "band", "Die Band von nebenan", &x_band::item, &x_bandzus::item, 16},
}};

}  // namespace

const std::array<CatalogueEntry, 82>& TextCatalogue() { return kTextCatalogue; }

const CatalogueEntry* CodeLookup(std::string_view text) {
  // A blank typed before or after the code is not seen on the screen, so it
  // must not make the code wrong.
  size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return nullptr;
  text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
  for (const CatalogueEntry& entry : kTextCatalogue) {
    if (fw::RuntimeStringCompare(text, entry.Code) == 0) return &entry;
  }
  return nullptr;
}
