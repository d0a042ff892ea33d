<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru">
<context>
    <name>TAboutBox</name>
    <message>
        <source>О...</source>
        <translation>About...</translation>
    </message>
    <message>
        <source>Программа</source>
        <translation>Program</translation>
    </message>
    <message>
        <source>Вилтрон</source>
        <translation>Viltron</translation>
    </message>
    <message>
        <source>Страница программы в Интернете.</source>
        <translation>The program&apos;s web page.</translation>
    </message>
    <message>
        <source>Версия %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Версия программы.</source>
        <translation>The program&apos;s version.</translation>
    </message>
    <message>
        <source>Дата релиза.</source>
        <translation>Release date.</translation>
    </message>
    <message>
        <source>Бесплатная</source>
        <translation>Freeware</translation>
    </message>
    <message>
        <source>Программа распространяется бесплатно.</source>
        <translation>The program is free of charge.</translation>
    </message>
    <message>
        <source>Автор</source>
        <translation>Author</translation>
    </message>
    <message>
        <source>Команда «Вилтрон»</source>
        <translation>The Viltron team</translation>
    </message>
    <message>
        <source>Земля, Интернет</source>
        <translation>Earth, Internet</translation>
    </message>
    <message>
        <source>Сообщество открытого программного обеспечения.</source>
        <translation>The open-source software community.</translation>
    </message>
    <message>
        <source>Отдел разработки на C++.</source>
        <translation>The C++ development department.</translation>
    </message>
    <message>
        <source>Пишите идеи и сообщения об ошибках!</source>
        <translation>Send ideas and bug reports!</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <source>Сдаться</source>
        <translation>Give up</translation>
    </message>
    <message>
        <source>Начать игру!</source>
        <translation>Start game!</translation>
    </message>
    <message>
        <source>Остановить</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Вилтрон</source>
        <translation>Viltron</translation>
    </message>
    <message>
        <source>Размер:</source>
        <translation>Size:</translation>
    </message>
    <message>
        <source>Число:</source>
        <translation>Moves:</translation>
    </message>
    <message>
        <source>Осталось:</source>
        <translation>Left:</translation>
    </message>
    <message>
        <source>Победа!</source>
        <translation>Victory!</translation>
    </message>
    <message>
        <source>Вы проиграли...</source>
        <translation>You lost...</translation>
    </message>
    <message>
        <source>Ходить можно только буквой Г.<byte value="xd"/>
На клетку можно ходить только 1 раз.<byte value="xd"/>
Проверку ошибок можно отключить в настройках.<byte value="xd"/>
F1 - помощь.</source>
        <translation>The knight moves only in an L shape.<byte value="xd"/>
Each cell can be visited only once.<byte value="xd"/>
Move checking can be turned off in Options.<byte value="xd"/>
F1 - help.</translation>
    </message>
    <message>
        <source>Прервать игру?</source>
        <translation>Abandon the game?</translation>
    </message>
    <message>
        <source>Начать заново?</source>
        <translation>Start again?</translation>
    </message>
    <message>
        <source>Сохранённые игры (*.sav)</source>
        <translation>Saved games (*.sav)</translation>
    </message>
    <message>
        <source>Файл &quot;%1&quot; уже существует.<byte value="xd"/>
Заменить его?</source>
        <translation>File &quot;%1&quot; already exists.<byte value="xd"/>
Replace it?</translation>
    </message>
    <message>
        <source>Игра не сохранена.<byte value="xd"/>
</source>
        <translation>The game was not saved.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Неверный файл.<byte value="xd"/>
Это не сохранённая игра &quot;Вилтрон&quot;.</source>
        <translation>Wrong file.<byte value="xd"/>
This is not a saved &quot;Viltron&quot; game.</translation>
    </message>
    <message>
        <source>Не получается загрузить игру из-за низкого разрешения экрана.</source>
        <translation>Cannot load the game: the screen resolution is too low.</translation>
    </message>
    <message>
        <source>&amp;Сдаться</source>
        <translation>&amp;Give up</translation>
    </message>
    <message>
        <source>&amp;Остановить</source>
        <translation>&amp;Stop</translation>
    </message>
    <message>
        <source>&amp;Игра</source>
        <translation>&amp;Game</translation>
    </message>
    <message>
        <source>&amp;Новая игра</source>
        <translation>&amp;New game</translation>
    </message>
    <message>
        <source>Со&amp;хранить</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>&amp;Загрузить</source>
        <translation>&amp;Load</translation>
    </message>
    <message>
        <source>&amp;Выход</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>Н&amp;астройки</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>&amp;Проверка ошибок</source>
        <translation>&amp;Check moves</translation>
    </message>
    <message>
        <source>&amp;Звук</source>
        <translation>&amp;Sound</translation>
    </message>
    <message>
        <source>&amp;Подсказка</source>
        <translation>&amp;Hint</translation>
    </message>
    <message>
        <source>&amp;Решить всё</source>
        <translation>&amp;Solve all</translation>
    </message>
    <message>
        <source>&amp;Сразу!</source>
        <translation>&amp;At once!</translation>
    </message>
    <message>
        <source>&amp;По шагам</source>
        <translation>&amp;Step by step</translation>
    </message>
    <message>
        <source>&amp;Один ход</source>
        <translation>&amp;One move</translation>
    </message>
    <message>
        <source>&amp;?..</source>
        <translation>&amp;?..</translation>
    </message>
    <message>
        <source>&amp;Правила</source>
        <translation>&amp;Rules</translation>
    </message>
    <message>
        <source>&amp;О...</source>
        <translation>&amp;About...</translation>
    </message>
    <message>
        <source>Игру не удаётся запомнить:<byte value="xd"/>
%1</source>
        <translation>The game cannot be remembered in<byte value="xd"/>
%1</translation>
    </message>
    <message>
        <source>В&amp;ернуть ход</source>
        <translation>Ta&amp;ke back</translation>
    </message>
    <message>
        <source>&amp;Повторить ход</source>
        <translation>&amp;Redo move</translation>
    </message>
    <message>
        <source>Запоминать &amp;игру</source>
        <translation>Remember &amp;game</translation>
    </message>
</context>
<context>
    <name>TProverCommands</name>
    <message>
        <source>&amp;Можно ли пройти?</source>
        <translation>&amp;Can it be finished?</translation>
    </message>
    <message>
        <source>Верный &amp;ход</source>
        <translation>S&amp;ure move</translation>
    </message>
    <message>
        <source>Решить &amp;наверняка</source>
        <translation>Solve for c&amp;ertain</translation>
    </message>
    <message>
        <source>Проверяю: %1 с</source>
        <translation>Checking: %1 s</translation>
    </message>
    <message>
        <source>Обход ещё возможен.</source>
        <translation>The tour can still be finished.</translation>
    </message>
    <message>
        <source>Не удалось выяснить за %1 с, можно ли закончить обход.</source>
        <translation>Could not find out within %1 s whether the tour can be finished.</translation>
    </message>
    <message>
        <source>%1 и ещё %2</source>
        <extracomment>%1 lists cells, %2 how many more are not listed.</extracomment>
        <translation>%1 and %2 more</translation>
    </message>
    <message>
        <source>коню некуда ходить.</source>
        <translation>the knight has nowhere to go.</translation>
    </message>
    <message>
        <source>клетка %1 недостижима: коню до неё уже не добраться.</source>
        <translation>the cell %1 is out of reach: the knight can no longer get there.</translation>
    </message>
    <message>
        <source>клетки %1 недостижимы: коню до них уже не добраться.</source>
        <translation>the cells %1 are out of reach: the knight can no longer get there.</translation>
    </message>
    <message>
        <source>на клетку %1 можно пойти только сейчас, а уйти с неё будет некуда.</source>
        <translation>the cell %1 can only be entered now, and there is no way on from it.</translation>
    </message>
    <message>
        <source>у клеток %1 только по одному входу, значит, каждая из них должна быть последней.</source>
        <translation>the cells %1 each have a single way in, so each of them would have to be the last.</translation>
    </message>
    <message>
        <source>у клетки %1 только один вход, значит, она последняя, но последний ход придётся на клетку другого цвета.</source>
        <translation>the cell %1 has a single way in, so it must be the last, but the last move lands on the other colour.</translation>
    </message>
    <message>
        <source>свободных клеток цвета коня %1, другого цвета %2, а конь меняет цвет каждым ходом.</source>
        <translation>%1 free cells are of the knight&apos;s colour and %2 of the other, but the knight changes colour with every move.</translation>
    </message>
    <message>
        <source>ни одно продолжение не обходит все клетки.</source>
        <translation>no continuation visits every cell.</translation>
    </message>
    <message>
        <source>Обход уже невозможен: %1</source>
        <translation>The tour can no longer be finished: %1</translation>
    </message>
    <message>
        <source>один вход</source>
        <translation>single way in</translation>
    </message>
    <message>
        <source>недостижима</source>
        <extracomment>Ends the name of a cell that the knight can no longer reach.</extracomment>
        <translation>out of reach</translation>
    </message>
    <message>
        <source>тупик</source>
        <translation>dead end</translation>
    </message>
    <message>
        <source>свободные клетки распались на части, и клетки %1 останутся в стороне: конь не возвращается.</source>
        <translation>the free cells have fallen apart, and the cells %1 would be left out: the knight never comes back.</translation>
    </message>
    <message>
        <source>отрезана</source>
        <extracomment>Ends the name of a cell in a part of the board the tour must leave out.</extracomment>
        <translation>cut off</translation>
    </message>
</context>
<context>
    <name>TRulesForm</name>
    <message>
        <source>Цель игры: пройти по всему полю.</source>
        <translation>Goal: cover the whole board.</translation>
    </message>
    <message>
        <source>Правила: </source>
        <translation>Rules: </translation>
    </message>
    <message>
        <source>1. Ходить можно только буквой Г.</source>
        <translation>1. The knight moves in an L shape.</translation>
    </message>
    <message>
        <source>2. На каждой клетке можно побывать       </source>
        <translation>2. Every cell can be visited       </translation>
    </message>
    <message>
        <source>    только один раз.</source>
        <translation>    only once.</translation>
    </message>
    <message>
        <source>История: задачу впервые поставил</source>
        <translation>History: the puzzle was first posed</translation>
    </message>
    <message>
        <source>математик Леонард Эйлер.</source>
        <translation>by the mathematician Leonhard Euler.</translation>
    </message>
    <message>
        <source>Правила игры</source>
        <translation>Rules of the game</translation>
    </message>
    <message>
        <source>OK!</source>
        <translation>OK!</translation>
    </message>
</context>
<context>
    <name>TSoundBank</name>
    <message>
        <source>Ресурс не найден!</source>
        <translation>Resource not found!</translation>
    </message>
</context>
<context>
    <name>TViltronPan</name>
    <message>
        <source>Доска</source>
        <translation>Board</translation>
    </message>
    <message>
        <source>Доска %1 × %1</source>
        <translation>Board %1 × %1</translation>
    </message>
    <message>
        <source>, ходов нет</source>
        <translation>, no moves</translation>
    </message>
    <message>
        <source>, ход %1, конь: столбец %2, строка %3</source>
        <translation>, move %1, knight: column %2, row %3</translation>
    </message>
    <message>
        <source>столбец %1, строка %2</source>
        <extracomment>A cell of the board: its column from the left and its row from the top, counted from 1.</extracomment>
        <translation>column %1, row %2</translation>
    </message>
    <message>
        <source>%1, ход %2</source>
        <extracomment>%1 is the cell&apos;s place, %2 the number of the move that reached it.
----------
Said after a move: the knight&apos;s cell and the number of its move.</extracomment>
        <translation>%1, move %2</translation>
    </message>
    <message>
        <source>%1, конь</source>
        <extracomment>%1 is the cell&apos;s place and move; the knight stands there.</extracomment>
        <translation>%1, knight</translation>
    </message>
    <message>
        <source>%1, свободна</source>
        <extracomment>%1 is the cell&apos;s place; no move has reached the cell.
----------
%1 is the cell a move was taken back from.</extracomment>
        <translation>%1, free</translation>
    </message>
    <message>
        <source>%1, можно пойти</source>
        <extracomment>%1 is a free cell&apos;s name; the knight can jump there now.</extracomment>
        <translation>%1, can jump here</translation>
    </message>
    <message>
        <source>%1; конь: %2</source>
        <extracomment>Said after a move is taken back: %1 the freed cell, %2 the knight&apos;s.</extracomment>
        <translation>%1; knight: %2</translation>
    </message>
</context>
<context>
    <name>TWaitForm</name>
    <message>
        <source>Думаю...</source>
        <translation>Thinking...</translation>
    </message>
    <message>
        <source>Крепкий орешек попался.</source>
        <translation>A tough nut to crack.</translation>
    </message>
    <message>
        <source>Не получается...</source>
        <translation>No luck yet...</translation>
    </message>
    <message>
        <source>Устал.</source>
        <translation>I&apos;m tired.</translation>
    </message>
    <message>
        <source>Зачем так мучать компьютер?</source>
        <translation>Why torment the computer so?</translation>
    </message>
    <message>
        <source>Попробуйка сам реши!</source>
        <translation>Try solving it yourself!</translation>
    </message>
    <message>
        <source>Это бесполезно!</source>
        <translation>It&apos;s no use!</translation>
    </message>
    <message>
        <source>Зря ждёшь!</source>
        <translation>You&apos;re waiting in vain!</translation>
    </message>
    <message>
        <source>Надежда умирает последней :(</source>
        <translation>Hope dies last :(</translation>
    </message>
    <message>
        <source>Подождите.</source>
        <translation>Please wait.</translation>
    </message>
    <message>
        <source>Лучшее решение</source>
        <translation>Best solution</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
</context>
</TS>
