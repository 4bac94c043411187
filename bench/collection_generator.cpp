#include "collection_generator.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <unordered_set>

#include "db/byte_buffer.h"
#include "db/cp1252.h"
#include "db/record_format.h"

namespace tovalia::bench {

uint64_t Rng::Next() {
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

int32_t Rng::Below(int32_t n) {
  if (n <= 1) return 0;
  return static_cast<int32_t>(((Next() >> 32) * static_cast<uint64_t>(n)) >> 32);
}

namespace {

// The lists are written in UTF-8 for legibility and stored as CP1252, the
// bytes the recipe file holds.
std::vector<std::string> Cp1252List(std::initializer_list<const char*> words) {
  std::vector<std::string> out;
  out.reserve(words.size());
  for (const char* w : words) out.push_back(Utf8ToCp1252(w));
  return out;
}

struct WordLists {
  std::vector<std::string> adjectives = Cp1252List({
      "Spicy", "Easy", "Creamy", "Crispy", "Golden", "Smoky", "Tangy", "Sweet", "Savory",
      "Hearty", "Rustic", "Classic", "Quick", "Lazy", "Grandma's", "Mom's", "Aunt Ruth's",
      "Old-Fashioned", "Homestyle", "Roasted", "Grilled", "Braised", "Baked", "Fried",
      "Stuffed", "Glazed", "Honey", "Garlic", "Herbed", "Zesty", "Lemony", "Buttery",
      "Cheesy", "Fluffy", "Tender", "Slow-Cooker", "One-Pot", "Sheet-Pan", "Weeknight",
      "Sunday", "Holiday", "Summer", "Winter", "Autumn", "Spring", "Rainbow", "Skinny",
      "Light", "Rich", "Fiery", "Mild", "Country", "Farmhouse", "Cajun", "Tuscan",
      "Provençal", "Niçoise", "Sautéed", "Flambéed", "Caramelized", "Charred", "Pickled",
      "Marinated", "Toasted", "Whipped", "Frozen", "Chilled", "Warm", "Festive", "Simple",
      "Deluxe", "Mediterranean", "Thai", "Korean", "Mexican", "Moroccan", "Greek",
      "Hungarian", "Créole", "Smothered", "Blackened", "Sticky", "Velvety", "Crunchy"});
  std::vector<std::string> ingredients = Cp1252List({
      "Lemon", "Chicken", "Beef", "Pork", "Lamb", "Turkey", "Duck", "Salmon", "Tuna", "Cod",
      "Shrimp", "Crab", "Lobster", "Scallop", "Mussel", "Clam", "Tofu", "Tempeh", "Lentil",
      "Chickpea", "Black Bean", "Kidney Bean", "Mushroom", "Spinach", "Kale", "Cabbage",
      "Broccoli", "Cauliflower", "Carrot", "Potato", "Sweet Potato", "Pumpkin", "Squash",
      "Zucchini", "Eggplant", "Tomato", "Pepper", "Jalapeño", "Chipotle", "Onion", "Leek",
      "Garlic", "Ginger", "Basil", "Cilantro", "Parsley", "Rosemary", "Thyme", "Sage", "Dill",
      "Mint", "Coconut", "Peanut", "Almond", "Walnut", "Pecan", "Pistachio", "Hazelnut",
      "Apple", "Pear", "Peach", "Plum", "Cherry", "Blueberry", "Raspberry", "Strawberry",
      "Cranberry", "Banana", "Mango", "Pineapple", "Orange", "Lime", "Grapefruit", "Fig",
      "Date", "Raisin", "Chocolate", "Vanilla", "Caramel", "Maple", "Honey", "Molasses",
      "Cinnamon", "Nutmeg", "Cardamom", "Saffron", "Cheddar", "Parmesan", "Feta", "Ricotta",
      "Mozzarella", "Gruyère", "Brie", "Goat Cheese", "Cream Cheese", "Buttermilk", "Yogurt",
      "Bacon", "Ham", "Sausage", "Chorizo", "Prosciutto", "Pancetta", "Rice", "Wild Rice",
      "Quinoa", "Barley", "Oat", "Cornmeal", "Polenta", "Noodle", "Macaroni", "Orzo",
      "Couscous", "Asparagus", "Artichoke", "Avocado", "Beet", "Celery", "Corn", "Pea",
      "Green Bean", "Radish", "Turnip", "Fennel", "Olive", "Caper", "Anchovy", "Sesame",
      "Miso", "Soy", "Teriyaki", "Curry", "Paprika", "Harissa", "Pesto", "Bourbon", "Rum",
      "Red Wine", "Beer", "Espresso", "Café au Lait", "Matcha", "Piña Colada", "Crème Fraîche",
      "Jalapeño Popper", "Rhubarb", "Gooseberry", "Quince", "Persimmon", "Chestnut"});
  std::vector<std::string> dishes = Cp1252List({
      "Soup", "Stew", "Chili", "Chowder", "Bisque", "Salad", "Slaw", "Casserole", "Bake",
      "Gratin", "Pie", "Tart", "Quiche", "Cake", "Cupcakes", "Cookies", "Bars", "Brownies",
      "Muffins", "Scones", "Bread", "Rolls", "Biscuits", "Pancakes", "Waffles", "Crêpes",
      "Soufflé", "Mousse", "Pudding", "Custard", "Crème Brûlée", "Gâteau", "Cobbler",
      "Crisp", "Crumble", "Fritters", "Dumplings", "Pasta", "Lasagna", "Risotto", "Pilaf",
      "Paella", "Curry", "Stir-Fry", "Skillet", "Tacos", "Burritos", "Enchiladas",
      "Quesadillas", "Sandwiches", "Burgers", "Meatballs", "Meatloaf", "Kebabs", "Skewers",
      "Roast", "Pot Roast", "Wings", "Tenders", "Cutlets", "Pizza", "Flatbread", "Dip",
      "Spread", "Salsa", "Relish", "Chutney", "Jam", "Sauce", "Purée", "Smoothie",
      "Lemonade", "Punch", "Sorbet", "Ice Cream", "Parfait", "Fricassée", "Ragoût",
      "Entrée", "Hash", "Frittata", "Omelet", "Strata", "Rösti", "Pâté", "Terrine"});
  std::vector<std::string> ingredientNames = Cp1252List({
      "all-purpose flour", "whole wheat flour", "granulated sugar", "brown sugar",
      "powdered sugar", "unsalted butter", "salted butter", "olive oil", "vegetable oil",
      "large eggs", "egg yolks", "whole milk", "heavy cream", "sour cream", "buttermilk",
      "baking powder", "baking soda", "kosher salt", "black pepper", "vanilla extract",
      "ground cinnamon", "ground cumin", "chili powder", "smoked paprika", "dried oregano",
      "fresh thyme", "fresh basil", "fresh parsley", "garlic", "yellow onion", "red onion",
      "shallots", "scallions", "celery", "carrots", "russet potatoes", "diced tomatoes",
      "tomato paste", "chicken broth", "beef broth", "vegetable stock", "dry white wine",
      "soy sauce", "honey", "maple syrup", "Dijon mustard", "lemon juice", "lime juice",
      "grated Parmesan", "shredded cheddar", "crumbled feta", "cream cheese",
      "boneless chicken thighs", "chicken breasts", "ground beef", "pork shoulder",
      "thick-cut bacon", "Italian sausage", "salmon fillets", "shrimp", "long-grain rice",
      "arborio rice", "dried pasta", "rolled oats", "chopped walnuts", "sliced almonds",
      "semisweet chocolate chips", "cocoa powder", "frozen peas", "fresh spinach",
      "mushrooms", "red bell pepper", "jalapeño", "crème fraîche", "Gruyère", "cornstarch",
      "rice vinegar", "sesame oil", "fresh ginger", "coconut milk", "canned chickpeas",
      "black beans", "corn kernels", "blueberries", "ripe bananas", "apples", "lemons"});
  std::vector<std::string> quantities = {"1",     "2",     "3",     "4",     "6",
                                         "8",     "12",    "1/2",   "1/4",   "3/4",
                                         "1/3",   "2/3",   "1 1/2", "2 1/2", "1 1/4"};
  std::vector<std::string> units = {"cups",   "cup",      "tablespoons", "tablespoon", "teaspoons",
                                    "teaspoon", "tbsp",   "tsp",         "oz",         "lb",
                                    "pounds", "cloves",   "cans",        "pinch",      "large",
                                    "medium", "small",    "bunch",       "package",    "quart"};
  std::vector<std::string> preparations = {
      "",       "",          "",          ", chopped", ", minced", ", diced",
      ", sliced", ", softened", ", melted", ", divided", ", thinly sliced", ", at room temperature",
      " (optional)", ", finely grated", ", drained and rinsed", ", packed", ", to taste"};
  std::vector<std::string> sentences = Cp1252List({
      "Preheat the oven to %t degrees and grease a %p.",
      "In a large bowl, whisk together the %i and the %i.",
      "Stir in the %i and cook for %m minutes, stirring now and then.",
      "Add the %i and simmer gently until tender, about %m minutes.",
      "Season with salt and pepper to taste.",
      "Transfer the mixture to the prepared %p and smooth the top.",
      "Bake for %m minutes, or until golden brown and a toothpick comes out clean.",
      "Let cool in the %p for %m minutes before slicing.",
      "Meanwhile, toast the %i in a dry skillet until fragrant.",
      "Fold in the %i gently so the batter stays light.",
      "Bring a large pot of salted water to a boil.",
      "Sauté the %i in butter over medium heat until soft, about %m minutes.",
      "Cover and refrigerate for at least %m minutes, or overnight.",
      "Garnish with chopped %i and serve warm.",
      "Purée half of the soup in a blender and return it to the pot.",
      "Brush the tops with melted butter and sprinkle with %i.",
      "Reduce the heat to low and let the sauce thicken.",
      "Cut in the cold butter until the mixture looks like coarse crumbs.",
      "Roll the dough out on a floured board to a 1/4-inch thickness.",
      "Spoon the %i over the top and return to the oven for %m minutes.",
      "Serve with crusty bread or over hot rice.",
      "Leftovers keep for up to 3 days in the refrigerator.",
      "Whisk the dressing until smooth, then toss with the %i.",
      "Grill over medium-high heat, turning once, until cooked through."});
  std::vector<std::string> pans = {"9x13-inch baking dish", "loaf pan", "pie plate",
                                   "cast-iron skillet", "sheet pan", "8-inch square pan",
                                   "Dutch oven", "muffin tin", "springform pan"};
  std::vector<std::string> textTopics = Cp1252List({
      "Kitchen Notes:", "Tips for", "About", "Menu Ideas:", "Party Plan:", "Notes on",
      "How to Store", "Substitutions for", "Thoughts on", "Café Notes:"});
};

const WordLists& Words() {
  static const WordLists lists;
  return lists;
}

}  // namespace

RecipeGenerator::RecipeGenerator(uint64_t seed, int32_t chapterCount)
    : rng_(seed), chapterCount_(std::max(chapterCount, 1)) {}

const std::string& RecipeGenerator::Pick(const std::vector<std::string>& words) {
  return words[static_cast<size_t>(rng_.Below(static_cast<int32_t>(words.size())))];
}

// Two to six words; short titles are kept rare so that repeats stay rare.
std::string RecipeGenerator::Title() {
  const WordLists& w = Words();
  auto join = [](std::initializer_list<std::string> parts) {
    std::string s;
    for (const std::string& p : parts) {
      if (!s.empty()) s += ' ';
      s += p;
    }
    return s;
  };
  const int32_t roll = rng_.Below(100);
  if (roll < 4) return join({Pick(w.ingredients), Pick(w.dishes)});
  if (roll < 30) return join({Pick(w.adjectives), Pick(w.ingredients), Pick(w.dishes)});
  if (roll < 45)
    return join({Pick(w.adjectives), Pick(w.adjectives), Pick(w.ingredients), Pick(w.dishes)});
  if (roll < 65)
    return join({Pick(w.ingredients), Pick(w.dishes), "with", Pick(w.ingredients)});
  if (roll < 78)
    return join({Pick(w.adjectives), Pick(w.ingredients), "and", Pick(w.ingredients),
                 Pick(w.dishes)});
  if (roll < 90)
    return join({Pick(w.adjectives), Pick(w.ingredients), Pick(w.dishes), "with",
                 Pick(w.ingredients)});
  return join({Pick(w.adjectives), Pick(w.ingredients), Pick(w.dishes), "with",
               Pick(w.adjectives), Pick(w.ingredients)});
}

// Lines such as "1 1/2 cups all-purpose flour, sifted", CR between them.
std::string RecipeGenerator::Ingredients() {
  const WordLists& w = Words();
  const size_t target = static_cast<size_t>(rng_.Between(400, 800));
  std::string text;
  while (text.size() < target) {
    if (!text.empty()) text += '\r';
    text += Pick(w.quantities);
    text += ' ';
    text += Pick(w.units);
    text += ' ';
    text += Pick(w.ingredientNames);
    text += Pick(w.preparations);
  }
  return text;
}

std::string RecipeGenerator::Sentence() {
  const WordLists& w = Words();
  const std::string& pattern = Pick(w.sentences);
  std::string s;
  s.reserve(pattern.size() + 40);
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != '%' || i + 1 == pattern.size()) {
      s += pattern[i];
      continue;
    }
    switch (pattern[++i]) {
      case 'i': s += Pick(w.ingredientNames); break;
      case 'm': s += std::to_string(rng_.Between(2, 12) * 5); break;
      case 't': s += std::to_string(rng_.Between(13, 18) * 25); break;
      case 'p': s += Pick(w.pans); break;
      default: s += pattern[i]; break;
    }
  }
  return s;
}

// Paragraphs of two to five sentences, CR between paragraphs.
std::string RecipeGenerator::Directions() {
  const size_t target = static_cast<size_t>(rng_.Between(800, 1600));
  std::string text;
  while (text.size() < target) {
    if (!text.empty()) text += '\r';
    const int32_t count = rng_.Between(2, 5);
    for (int32_t s = 0; s < count; ++s) {
      if (s > 0) text += ' ';
      text += Sentence();
    }
  }
  return text;
}

// A few hundred bytes that start like a bitmap; the engine never looks inside.
std::string RecipeGenerator::Photo() {
  std::string photo = "BM";
  const int32_t size = rng_.Between(200, 700);
  while (static_cast<int32_t>(photo.size()) < size)
    photo += static_cast<char>(rng_.Below(256));
  return photo;
}

GeneratedRecord RecipeGenerator::Next() {
  GeneratedRecord r;
  r.chapter = 1 + rng_.Below(chapterCount_);
  if (rng_.Percent(3)) {
    r.kind = 1;
    r.title = Pick(Words().textTopics) + " " + Title();
    r.directions = Directions();
    return r;
  }
  r.title = Title();
  r.servings = rng_.Between(1, 12);
  r.ingredients = Ingredients();
  r.directions = Directions();
  if (rng_.Percent(1)) r.photo = Photo();
  return r;
}

std::vector<std::string> MakeChapterNames(int32_t count) {
  const std::vector<std::string> cuisines = Cp1252List(
      {"Italian", "French", "Mexican", "Thai", "Indian", "Chinese", "Japanese", "Greek",
       "Spanish", "Moroccan", "Cajun", "Southern", "Vietnamese", "Korean", "Lebanese", "German",
       "Irish", "Caribbean", "Brazilian", "Turkish", "Ethiopian", "Scandinavian", "Hungarian",
       "Polish", "Peruvian"});
  const std::vector<std::string> courses = Cp1252List(
      {"Appetizers", "Soups", "Salads", "Main Dishes", "Side Dishes", "Breads", "Desserts",
       "Breakfast", "Sauces", "Drinks", "Snacks", "Vegetarian", "Entrées"});
  std::vector<std::string> pairs;
  for (const std::string& course : courses)
    for (const std::string& cuisine : cuisines) pairs.push_back(cuisine + " " + course);
  Rng rng(0xC4A97E25ull);
  for (size_t i = pairs.size(); i > 1; --i)
    std::swap(pairs[i - 1], pairs[static_cast<size_t>(rng.Below(static_cast<int32_t>(i)))]);
  std::vector<std::string> names;
  names.reserve(static_cast<size_t>(std::max(count, 0)));
  for (int32_t i = 0; i < count; ++i) {
    std::string name = pairs[static_cast<size_t>(i) % pairs.size()];
    const size_t round = static_cast<size_t>(i) / pairs.size();
    if (round > 0) {
      name += ' ';
      name += std::to_string(round + 1);
    }
    names.push_back(std::move(name));
  }
  return names;
}

namespace {

struct RecordBytes {
  int32_t kind = 0;
  int32_t recipeId = 0;
  int32_t chapter = 0;
  int32_t servings = 0;
  const std::string* title = nullptr;
  const std::string* ingredients = nullptr;
  const std::string* directions = nullptr;
  const std::string* photo = nullptr;
};

void AppendRecordBytes(std::vector<uint8_t>& out, const RecordBytes& r, Rng& rng) {
  static const std::string kEmpty;
  const std::string& title = *r.title;
  const std::string& ingredients = r.ingredients ? *r.ingredients : kEmpty;
  const std::string& directions = r.directions ? *r.directions : kEmpty;
  const std::string& photo = r.photo ? *r.photo : kEmpty;
  if (title.size() > 255) throw std::runtime_error("generated title longer than 255 bytes");
  uint8_t h[kRecordHeaderSize] = {};
  const int64_t size = int64_t{kRecordHeaderSize} + static_cast<int64_t>(title.size()) +
                       static_cast<int64_t>(ingredients.size()) +
                       static_cast<int64_t>(directions.size()) +
                       static_cast<int64_t>(photo.size());
  StoreI32(h + header::kRecordSize, static_cast<int32_t>(size));
  std::memcpy(h + header::kRecordTag, kRecordTag, 4);
  h[header::kRecordKind] = static_cast<uint8_t>(r.kind);
  h[header::kTitleLength] = static_cast<uint8_t>(title.size());
  StoreI32(h + header::kIngredientsLength, static_cast<int32_t>(ingredients.size()));
  StoreI32(h + header::kDirectionsLength, static_cast<int32_t>(directions.size()));
  StoreI32(h + header::kPhotoLength, static_cast<int32_t>(photo.size()));
  StoreI32(h + header::kRecipeId, r.recipeId);
  StoreU16(h + header::kChapterNumber, r.chapter);
  h[header::kServings] = static_cast<uint8_t>(r.servings);
  StoreU16(h + header::kSavedYear, rng.Between(2004, 2024));
  h[header::kSavedMonth] = static_cast<uint8_t>(rng.Between(1, 12));
  h[header::kSavedDay] = static_cast<uint8_t>(rng.Between(1, 28));
  out.insert(out.end(), h, h + kRecordHeaderSize);
  out.insert(out.end(), title.begin(), title.end());
  out.insert(out.end(), ingredients.begin(), ingredients.end());
  out.insert(out.end(), directions.begin(), directions.end());
  out.insert(out.end(), photo.begin(), photo.end());
}

}  // namespace

std::vector<uint8_t> BuildRecipeFile(int32_t recipeCount, int32_t chapterCount, uint64_t seed,
                                     FileSummary& summary) {
  summary = FileSummary{};
  summary.perChapter.assign(static_cast<size_t>(chapterCount) + 1, 0);
  std::vector<uint8_t> out;
  // Records average about 2 KB; one reservation avoids regrowth.
  out.reserve(static_cast<size_t>(recipeCount) * 2100 + static_cast<size_t>(chapterCount) * 80 +
              4096);

  uint8_t fileHeader[kRecordHeaderSize] = {};
  StoreI32(fileHeader + header::kRecordSize, kRecordHeaderSize);
  std::memcpy(fileHeader + header::kRecordTag, kRecordTag, 4);
  fileHeader[header::kRecordKind] = kKindFileHeader;
  StoreI32(fileHeader + header::kFileVersion, kProgramVersionNumber);
  StoreU16(fileHeader + header::kSavedYear, 2024);
  fileHeader[header::kSavedMonth] = 6;
  fileHeader[header::kSavedDay] = 15;
  out.insert(out.end(), fileHeader, fileHeader + kRecordHeaderSize);

  Rng dates(seed ^ 0x5EEDDA7Eull);
  const std::vector<std::string> chapterNames = MakeChapterNames(chapterCount);
  for (int32_t c = 0; c < chapterCount; ++c) {
    RecordBytes r;
    r.kind = kKindChapter;
    r.chapter = c + 1;
    r.title = &chapterNames[static_cast<size_t>(c)];
    AppendRecordBytes(out, r, dates);
    ++summary.chapters;
  }

  RecipeGenerator generator(seed, chapterCount);
  std::unordered_set<std::string> titles;
  titles.reserve(static_cast<size_t>(recipeCount));
  for (int32_t id = 1; id <= recipeCount; ++id) {
    const GeneratedRecord g = generator.Next();
    RecordBytes r;
    r.kind = g.kind;
    r.recipeId = id;
    r.chapter = g.chapter;
    r.servings = g.servings;
    r.title = &g.title;
    r.ingredients = &g.ingredients;
    r.directions = &g.directions;
    r.photo = &g.photo;
    AppendRecordBytes(out, r, dates);
    if (g.kind == kKindTextRecord) {
      ++summary.textRecords;
    } else {
      ++summary.recipes;
    }
    if (!g.photo.empty()) ++summary.photos;
    ++summary.perChapter[static_cast<size_t>(g.chapter)];
    titles.insert(g.title);
    if (out.size() > static_cast<size_t>(INT32_MAX))
      throw std::runtime_error("collection too large: record positions are 32-bit");
  }
  summary.distinctTitles = static_cast<int32_t>(titles.size());
  summary.bytes = static_cast<int64_t>(out.size());
  return out;
}

}  // namespace tovalia::bench
