#include "support/SpokenTalks.h"

#include <sstream>

namespace vt::test {
namespace {

const char* const kHabits =
    "So I want to talk about *habits, because for *years my *mornings were a *mess. I would wake up, grab my *phone "
    "and scroll for an *hour before I even got out of *bed. Last *spring my *friend ^Priya ^Shah gave me one simple "
    "*rule: the *phone sleeps in the *kitchen, and a *glass of *water waits next to the *bed. The first *week was "
    "hard. I kept reaching for the *phone out of *habit. But small *habits add up. Now I drink the *water, stretch "
    "for five *minutes and write three *lines in a *notebook. It sounds boring, and honestly it is. That is the "
    "*point. A good *habit should feel easy, so you can repeat it every *day without thinking about it.";

const char* const kMoney =
    "let me tell you how i finally got my *money under *control for *years i spent every *paycheck before the next "
    "one arrived and i had no *idea where the *money went so i started writing down every *purchase in a small "
    "*notebook *coffee *lunch *rent *groceries *subscriptions all of it after two *months the *pattern was obvious i "
    "was paying for four *subscriptions i never used so i cancelled three of them and moved that *money into a "
    "*savings *account my *sister ^maria laughed at the *notebook but now she keeps one too the *trick is not a fancy "
    "*app or a strict *budget it is just paying *attention to where your *money goes every *week";

const char* const kLearning =
    "Last *year I decided to learn ^Spanish before a *trip to ^Madrid. I downloaded an *app, did the *lessons every "
    "*day, and after three *months I still could not order a *coffee. The *problem was not the *app. I was "
    "collecting *words instead of using them. So I changed my *method. My *tutor, ^Carmen, lives in ^Valencia, and "
    "we talked for twenty *minutes twice a *week about *food, *music and my *job. I made a *lot of *mistakes, and "
    "every *mistake taught me something. My *brain needed *practice with real *people, not another *streak in an "
    "*app. By the *summer I could ask for *directions, read a *menu and joke with the *waiter. Learning a *language "
    "is less about *talent and more about showing up. If you want to learn, find a *person to talk to.";

const char* const kFocus =
    "if you want to focus better start with your *desk i used to work with twenty *tabs open my *email in one "
    "*window and *music in my *ears and i wondered why i was so tired by *lunch now i use a *timer i work for fifty "
    "*minutes then i take a short *break and walk around the *block during the *break i do not check my *phone at "
    "all the first few *days felt strange because my *brain kept asking for something new but after a *week my "
    "*focus got deeper and my *work got better my *manager even noticed it in our *meeting on ^friday *focus is not "
    "a *gift it is a *skill and you can train it like a *muscle";

SpokenTalk talk(std::string subject, std::string marked)
{
    SpokenTalk t{std::move(subject), std::move(marked), {}, {}};
    t.words = markedWords(t.marked);
    for (const MarkedWord& w : t.words) t.text += (t.text.empty() ? "" : " ") + w.text;
    return t;
}

}  // namespace

std::vector<MarkedWord> markedWords(const std::string& marked)
{
    std::vector<MarkedWord> words;
    std::istringstream in(marked);
    for (std::string piece; in >> piece;) {
        MarkedWord w{piece, MarkedWord::Mark::other};
        if (piece.front() == '*' || piece.front() == '^') {
            w.mark = piece.front() == '*' ? MarkedWord::Mark::noun : MarkedWord::Mark::name;
            w.text.erase(0, 1);
        }
        words.push_back(std::move(w));
    }
    return words;
}

const std::vector<SpokenTalk>& spokenTalks()
{
    static const std::vector<SpokenTalk> talks{
        talk("habits", kHabits), talk("money", kMoney), talk("learning", kLearning), talk("focus", kFocus)};
    return talks;
}

}  // namespace vt::test
