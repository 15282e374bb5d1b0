#include <lookup/CityTable.h>

#include <gtest/gtest.h>

#include <string>

using namespace pellawin;

namespace {

// Every country's block of rows, in row order, written out by hand: row numbers are kept in the settings
// file, so row N must always be the same city.
struct CountryRows {
  const char* country;
  int first;
  int last;
};
const CountryRows kCountryRows[] = {
    {"Afghanistan", 1, 1},
    {"Albania", 2, 6},
    {"Algeria*", 7, 9},
    {"American Samoa*", 10, 10},
    {"Andorra", 11, 11},
    {"Angola", 12, 12},
    {"Anguilla", 13, 13},
    {"Antigua and Barbuda", 14, 14},
    {"Argentina", 15, 36},
    {"Armenia", 37, 37},
    {"Aruba", 38, 38},
    {"Ascension*", 39, 39},
    {"Australia", 40, 61},
    {"Austria", 62, 80},
    {"Azerbaijan", 81, 82},
    {"Bahamas", 83, 83},
    {"Bahrain*", 84, 84},
    {"Bangladesh", 85, 88},
    {"Barbados", 89, 89},
    {"Belarus", 90, 91},
    {"Belgium", 92, 109},
    {"Belize", 110, 114},
    {"Benin*", 115, 115},
    {"Bermuda", 116, 116},
    {"Bhutan*", 117, 117},
    {"Bolivia", 118, 120},
    {"Bosnia and Herzegovina", 121, 122},
    {"Botswana", 123, 127},
    {"Brazil", 128, 151},
    {"British Virgin Islands", 152, 152},
    {"Brunei Darussalam ", 153, 154},
    {"Bulgaria", 155, 159},
    {"Burkina Faso*", 160, 160},
    {"Burundi", 161, 161},
    {"Cambodia", 162, 162},
    {"Cameroon*", 163, 163},
    {"Canada", 164, 188},
    {"Cape Verde*", 189, 189},
    {"Cayman Islands", 190, 190},
    {"Central African Republic", 191, 191},
    {"Chad Republic", 192, 192},
    {"Chatham Island (New Zealand)", 193, 193},
    {"Chile", 194, 209},
    {"China, Peoples Republic of", 210, 396},
    {"Christmas Island", 397, 397},
    {"Cocos Islands", 398, 398},
    {"Colombia", 399, 415},
    {"Comoros", 416, 416},
    {"Congo*", 417, 419},
    {"Cook Islands*", 420, 420},
    {"Costa Rica*", 421, 421},
    {"Croatia", 422, 424},
    {"Cuba", 425, 426},
    {"Cyprus", 427, 429},
    {"Czech Republic", 430, 437},
    {"Denmark", 438, 441},
    {"Diego Garcia*", 442, 442},
    {"Djibouti", 443, 443},
    {"Dominican Republic", 444, 444},
    {"Easter Island", 445, 445},
    {"Ecuador", 446, 461},
    {"Egypt", 462, 477},
    {"El Salvador*", 478, 478},
    {"Equatorial Guinea", 479, 479},
    {"Eritrea", 480, 480},
    {"Estonia", 481, 481},
    {"Ethiopia", 482, 487},
    {"Falkland Islands*", 488, 488},
    {"Fiji*", 489, 489},
    {"Finland", 490, 514},
    {"France", 515, 539},
    {"French Antilles*", 540, 540},
    {"French Guyana*", 541, 541},
    {"French Polynesia*", 542, 542},
    {"Gabon*", 543, 543},
    {"Gambia*", 544, 544},
    {"Georgia", 545, 545},
    {"Germany", 546, 581},
    {"Ghana", 582, 585},
    {"Gibraltar*", 586, 586},
    {"Greece", 587, 614},
    {"Greenland", 615, 615},
    {"Grenada", 616, 616},
    {"Grenadin Islands", 617, 617},
    {"Guadeloupe*", 618, 618},
    {"Guam*", 619, 619},
    {"Guantanamo Bay", 620, 620},
    {"Guatemala", 621, 622},
    {"Guinea", 623, 623},
    {"Guinea-Bissau", 624, 624},
    {"Guyana", 625, 627},
    {"Haiti*", 628, 628},
    {"Honduras*", 629, 630},
    {"Hong Kong*", 631, 631},
    {"Hungary", 632, 650},
    {"Iceland", 651, 653},
    {"India", 654, 670},
    {"Indonesia", 671, 690},
    {"Iran, Islamic Rep. of", 691, 694},
    {"Iraq", 695, 697},
    {"Ireland", 698, 716},
    {"Israel", 717, 774},
    {"Italy", 775, 807},
    {"Ivory Coast*", 808, 808},
    {"Jamaica", 809, 809},
    {"Japan", 810, 838},
    {"Jordan", 839, 844},
    {"Kazakhstan", 845, 846},
    {"Kenya", 847, 850},
    {"Kiribati*", 851, 851},
    {"Korea, Republic of", 852, 868},
    {"Kuwait*", 869, 871},
    {"Kyrgyzstan", 872, 873},
    {"Laos", 874, 874},
    {"Latvia", 875, 875},
    {"Lebanon", 876, 878},
    {"Lesotho*", 879, 879},
    {"Liberia*", 880, 880},
    {"Libya Arab Jamahiriya", 881, 884},
    {"Liechtenstein", 885, 886},
    {"Lithuania", 887, 887},
    {"Luxembourg*", 888, 888},
    {"Macau*", 889, 889},
    {"Macedonia", 890, 891},
    {"Madagascar", 892, 892},
    {"Malawi*", 893, 893},
    {"Malaysia", 894, 913},
    {"Mali*", 914, 914},
    {"Malta*", 915, 916},
    {"Mariana Islands", 917, 917},
    {"Marshall Islands", 918, 918},
    {"Martinique", 919, 919},
    {"Mauritania*", 920, 922},
    {"Mauritius*", 923, 923},
    {"Mayotte Island", 924, 924},
    {"Mexico", 925, 947},
    {"Micronesia, Federated States", 948, 948},
    {"Midway Islands", 949, 949},
    {"Moldova", 950, 950},
    {"Monaco", 951, 951},
    {"Mongolia", 952, 952},
    {"Montserrat", 953, 953},
    {"Morocco", 954, 960},
    {"Mozambique", 961, 964},
    {"Namibia", 965, 969},
    {"Nauru*", 970, 970},
    {"Nepal*", 971, 973},
    {"Netherlands", 974, 1000},
    {"Netherlands Antilles", 1001, 1004},
    {"New Caledonia*", 1005, 1005},
    {"New Zealand", 1006, 1025},
    {"Nicaragua", 1026, 1029},
    {"Niger Republic*", 1030, 1030},
    {"Nigeria", 1031, 1031},
    {"Niue*", 1032, 1032},
    {"Norfolk Island*", 1033, 1033},
    {"North Korea", 1034, 1034},
    {"Norway", 1035, 1038},
    {"Oman*", 1039, 1039},
    {"Pakistan", 1040, 1043},
    {"Palau*", 1044, 1044},
    {"Panama*", 1045, 1045},
    {"Papua New Guinea*", 1046, 1047},
    {"Paraguay", 1048, 1049},
    {"Peru", 1050, 1056},
    {"Philippines", 1057, 1073},
    {"Poland", 1074, 1088},
    {"Portugal", 1089, 1121},
    {"Principe", 1122, 1122},
    {"Qatar*", 1123, 1123},
    {"Reunion Island*", 1124, 1124},
    {"Romania", 1125, 1165},
    {"Russia", 1166, 1168},
    {"Rwanda*", 1169, 1169},
    {"St. Helena*", 1170, 1170},
    {"St. Kitts and Nevis*", 1171, 1171},
    {"St. Lucia", 1172, 1172},
    {"St. Pierre and Miquelon*", 1173, 1173},
    {"St. Vincent and the Grenadines", 1174, 1174},
    {"Saipan", 1175, 1177},
    {"San Marino", 1178, 1179},
    {"Sao Tome and Principa", 1180, 1180},
    {"Saudi Arabia", 1181, 1198},
    {"Senegal, Republic of*", 1199, 1201},
    {"Serbia, Republic of", 1202, 1202},
    {"Seychelles Isl.*", 1203, 1203},
    {"Sierra Leone", 1204, 1205},
    {"Singapore*", 1206, 1206},
    {"Slovakia", 1207, 1208},
    {"Slovenia", 1209, 1210},
    {"Solomon Islands*", 1211, 1211},
    {"Somalia", 1212, 1212},
    {"South Africa", 1213, 1216},
    {"Spain", 1217, 1245},
    {"Sri Lanka", 1246, 1249},
    {"Sudan", 1250, 1252},
    {"Suriname*", 1253, 1253},
    {"Swaziland*", 1254, 1255},
    {"Sweden", 1256, 1281},
    {"Switzerland", 1282, 1308},
    {"Syria", 1309, 1312},
    {"Taiwan", 1313, 1338},
    {"Tajikistan", 1339, 1339},
    {"Tanzania", 1340, 1343},
    {"Thailand", 1344, 1363},
    {"Togo*", 1364, 1364},
    {"Tokelau ", 1365, 1365},
    {"Tonga*", 1366, 1366},
    {"Trinidad and Tobago", 1367, 1367},
    {"Tunisia", 1368, 1371},
    {"Turkey", 1372, 1448},
    {"Turkmenistan", 1449, 1449},
    {"Turks and Caicos Islands", 1450, 1450},
    {"Tuvalu*", 1451, 1451},
    {"Uganda", 1452, 1455},
    {"Ukraine", 1456, 1457},
    {"United Arab Emirates", 1458, 1480},
    {"United Kingdom", 1481, 1528},
    {"United States*", 1529, 1535},
    {"Uruguay", 1536, 1538},
    {"Uzbekistan", 1539, 1539},
    {"Vanuatu*", 1540, 1540},
    {"Vatican city", 1541, 1541},
    {"Venezuela", 1542, 1561},
    {"Vietnam, Socialist Republic of", 1562, 1563},
    {"Wake Island", 1564, 1564},
    {"Wallis & Futuna Islands*", 1565, 1565},
    {"Western Samoa*", 1566, 1566},
    {"Yemen, Republic of", 1567, 1571},
    {"Yugoslavia", 1572, 1573},
    {"Zaire", 1574, 1575},
    {"Zambia", 1576, 1580},
    {"Zanzibar", 1581, 1581},
    {"Zimbabwe", 1582, 1584},
};

TEST(CityTableTest, CountriesHoldTheirRowsAndTheRulesTheirCounts) {
  int rules[4] = {};
  for (int row = 1; row <= kCityCount; ++row) {
    const TCity& c = City(row);
    ASSERT_GE(c.DstRule, 0);
    ASSERT_LE(c.DstRule, 3);
    ++rules[c.DstRule];
    EXPECT_GE(c.Zone, 0) << row;
    EXPECT_LE(c.Zone, 48) << row;
  }
  EXPECT_EQ(rules[0], 1247);
  EXPECT_EQ(rules[1], 31);
  EXPECT_EQ(rules[2], 303);
  EXPECT_EQ(rules[3], 3);
  for (const CountryRows& block : kCountryRows)
    for (int row = block.first; row <= block.last; ++row)
      EXPECT_STREQ(City(row).Country, block.country) << "row " << row;
  EXPECT_EQ(kCountryRows[233].last, kCityCount);
}

TEST(CityTableTest, IrregularRowsKeepTheirBlanksEmptyFieldsAndCodes) {
  struct Case {
    int row;
    const char* country;
    const char* city;
    int countryCode;
    const char* cityCode;
    int rule;
    int zone;
  } cases[] = {
      {1, "Afghanistan", "Kabul", 93, "", 0, 33},
      {90, "Belarus", "Minsk", 375, "0172", 2, 30},
      {91, "Belarus", "Mogilev", 375, " 0222", 2, 30},
      {153, "Brunei Darussalam ", "Behawan", 673, "2", 0, 40},
      {188, "Canada", "Saskatchewan", 1, "306", 0, 14},
      {398, "Cocos Islands", "", 6722, "", 0, 37},
      {438, "Denmark", "Aalborg", 45, " 8", 2, 26},
      {439, "Denmark", "Aarhus", 42, "6", 2, 26},
      {1166, "Russia", "Moscow", 7, "095", 3, 30},
      {1365, "Tokelau ", "", 690, "", 0, 38},
      {1529, "United States*", "Washington EASTERN", 1, "", 1, 14},
      {1535, "United States*", "Nome", 1, "", 1, 2},
      {1584, "Zimbabwe", "Mutare", 263, "20", 0, 28},
  };
  for (const Case& c : cases) {
    const TCity& city = City(c.row);
    EXPECT_STREQ(city.Country, c.country) << c.row;
    EXPECT_STREQ(city.City, c.city) << c.row;
    EXPECT_EQ(city.CountryCode, c.countryCode) << c.row;
    EXPECT_STREQ(city.CityCode, c.cityCode) << c.row;
    EXPECT_EQ(city.DstRule, c.rule) << c.row;
    EXPECT_EQ(city.Zone, c.zone) << c.row;
  }
}

} // namespace
