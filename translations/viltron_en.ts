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
        <source>Версия 1.0</source>
        <translation>Version 1.0</translation>
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
