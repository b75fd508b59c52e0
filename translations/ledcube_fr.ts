<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="en">
<context>
    <name>Build</name>
    <message>
        <source>cannot write %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>avr-size cannot read the compiled program:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the program is too large to build for the %1 (over %2 MB of code)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the program does not compile for the %1: the compiler finds an error at line %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the program does not compile for the %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot run %1 (are the Debian packages gcc-avr and binutils-avr installed?)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot read %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot make a scratch folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>flash %1 of %2 bytes (%3), RAM %4 of %5 bytes (%6: data %7, bss %8, stack %9)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1; %2 at %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the program needs %1 bytes of flash, and the %2 has %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the program needs %1 bytes of RAM (data, bss and %2 of stack), and the %3 has %4</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Editor of light animations for a 3x3x3 LED cube that writes the cube&apos;s
AVR ATmega8535 firmware, one block of C per action, to ~/D/NAME.c.
Qt&apos;s standard options (-platform, -style, ...) are accepted too.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Plays a program written by the ledcube editor on a simulated ATmega8535 in real
time, with the cube&apos;s push buttons under your hands, and follows the file as it grows.
Qt&apos;s standard options (-platform, -style, ...) are accepted too.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FILE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the program to play (.c)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LED cube player</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>one file at most</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Displays help on commandline options.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Displays version information.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Try &apos;%1 --help&apos; for more information.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Editor</name>
    <message>
        <source>&apos;%1&apos; is not a valid whole number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Give the frame&apos;s duration in milliseconds: a whole number, 15 or more.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Duration too long: %1 ms. A frame lasts at most %2 ms, otherwise the microcontroller repeats it endlessly.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 sequence</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 sequences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 programs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 frame</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 frames</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>more than the %1 bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>within 1% of the %1 bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frame %1 of the program
Estimated size so far: %2 bytes of %3 of flash memory (%4)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The program may no longer fit in the ATmega8535.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frame %1 would bring the program to about %2 bytes (closings included), %3 of the ATmega8535&apos;s flash memory: the program may no longer fit in the microcontroller, and a frame once written can no longer be taken out of the file.

The compact version (ledcube-sim --compact), which keeps the frames in a table, would still fit: it holds up to %4 of them with %5.

Add this frame anyway?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This file already holds %1: a new program will be added at its end.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The last program of the file is not finished (Finir was not clicked): a program added after it will not compile.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A frame of %1 ms lasts less than one pass over the three layers (15 ms): the cube will never show it, but it will still take room in the flash memory.

Add this frame anyway?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The program of %1 is not finished: without Finir, it stays unfinished in the file and does not compile as it is.

Close anyway?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>frame %1 recorded (%2 ms = %3%4)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 pass</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 passes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, never shown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The program will be written to %1, after the %2 it holds.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The program will be written to %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type the file&apos;s name, then Commencer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>about %1 bytes of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>program started: choose the button combination of the first sequence</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sequence %1 — no frame yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sequence %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>between the sequences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sequence %1 closed: %2 — choose the next combination, or Finir</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>program finished: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Flashing</name>
    <message>
        <source>the board&apos;s bootloader (Arduino)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arduino as ISP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>flashed %1 bytes to the %2 and verified</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>flashed %1 bytes to the %2 on %3 and verified</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no permission to use %1: add yourself to the dialout group (sudo adduser $USER dialout), then log out and in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>there is no serial port %1: plug the board in and choose its port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no programmer found (avrdude finds no %1 device on USB): plug it in, or choose the programmer you have</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a chip avrdude does not know</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>an %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the chip that answered is %1 (signature %2), not the %3: choose the chip or board you have</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (first difference at byte %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>verification failed: the chip does not hold what was written%1; flash it again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nothing answers on %1: check that the board is plugged in, that this is its port and that the board chosen is yours (its bootloader talks at %2 baud)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nothing answers on %1: check that the programmer is plugged in and wired to the chip, and that the chip has power</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>avrdude did not flash the chip (exit status %1); its log says what went wrong</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>avrdude&apos;s default port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>avrdude is not installed: install it with sudo apt install avrdude</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>stopped: the chip may now hold part of the program; flash it again before using it</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Player</name>
    <message>
        <source>the program has stopped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>frames unknown (the program was edited by hand)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no recorded frame lit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>between the sequences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 sequence %2 of %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 sequence</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: frame %2 of %3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Proof</name>
    <message>
        <source>%1 for %2 pass (%3 ms)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 for %2 passes (%3 ms)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>shown frame %1, at %2 ms: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the compact build shows %1, the generated program nothing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the compact build shows nothing, the generated program %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the compact build shows %1, the generated program %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the generated program on the %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the frames read from the program (the generated program does not fit even the ATmega32)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 does not show what %2 shows under %3: %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the compact build needs %1 bytes of flash, and the %2 has %3: it holds at most %4 frames in %5, and this program has %6 frames</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 sequence</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 sequences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the compact build</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Reader</name>
    <message>
        <source>the text is not frames as the editor writes them</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the text holds no frame</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the last push-button sequence is not closed (FinirBP)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a push-button sequence opens inside another one</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a closing brace without an open push-button sequence</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>text the editor never writes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a frame without a repeat count the editor can write</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a frame without its cells</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a frame that differs from the editor&apos;s frames</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>this is not a program written by the editor: it does not start with its program header</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file holds %1 programs glued together (recorded one after another under the same name); keep one of them in a file of its own</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the program is unfinished: it does not end with the closing text that Finir writes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>there is no program %1: the file holds %2 program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>there is no program %1: the file holds %2 programs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>none of the %1 programs of the file is finished: none ends with the closing text that Finir writes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>program %1 is unfinished: it does not end with the closing text that Finir writes</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>(cut by the end of the run)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the cube showed nothing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  start ms  passes  duration ms  cells (layer:back/middle/front)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  -- round %1 --</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>dark</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Simulator</name>
    <message>
        <source>the HEX does not fit the flash of the %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Storyboard</name>
    <message>
        <source>cannot write the animation %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot write the animation %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, buttons %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1. %2 ms, %3 pass%4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1. %2 ms, %3 passes%4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (cut)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>round %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nothing shown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot write the storyboard %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ledcube-sim</name>
    <message>
        <source>Compiles a program written by the ledcube editor for the ATmega8535 (avr-gcc -Os),
or for another chip or board (--chip), reports its flash and RAM, runs it on a
simulated microcontroller with the push buttons held at one combination and prints
the frames the cube shows.

The 40-pin chips (atmega16, atmega32, atmega164p, atmega324p, atmega644p,
atmega1284p) use the ATmega8535&apos;s pins; the build switches their JTAG off. On the
boards (uno, nano, nano-old: ATmega328P at 16 MHz) the cube&apos;s wires go on:
  LED1..LED9       D2..D10  (PD2-PD7, PB0-PB2), a low level lights the LED
  Etage1..Etage3   A0..A2   (PC0-PC2), a high level selects the layer
  BP1..BP3         A3..A5   (PC3-PC5), pull-ups on
D0/D1 stay free for the USB serial, D11-D13 for an ISP programmer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The buttons held (default Aucun, any letter case).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MILLISECONDS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How long to run (default: three rounds of the frames).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The N-th program of a file that holds several (default: the last finished one).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FILE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Draw the shown frames as a storyboard.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write what the cube shows as an animated GIF: one round of the frames (or --ms), each as long as it shows.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PIXELS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The width of the animated GIF (default 320).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write the Intel HEX to put into the chip.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Put the program into the chip with avrdude (the HEX that --hex writes, unrolled or --compact) and verify it; the AVRDUDE environment variable names another avrdude.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>NAME</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The avrdude programmer (default usbasp, or the board&apos;s bootloader).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PORT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The serial port of the programmer or board for avrdude.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The chip or board to build for: %1 (default atmega8535).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The chip&apos;s clock when its fuses or crystal were changed (default: as delivered, 1 MHz for the 40-pin chips, 16 MHz for the boards).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Build the frames as a table in flash read by one loop (up to %1 frames fit the ATmega8535), proven on the simulated chip against the generated program.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print the compiler&apos;s messages.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A program written by the ledcube editor.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--buttons takes BP1, BP2, BP3 or Aucun, not &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--ms takes a duration in milliseconds, up to one hour, not &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--program takes a program number from 1, not &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--size takes a width in pixels from 64 to 2000, not &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--programmer takes an avrdude programmer name (letters, digits, - and _), not &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--chip takes one of %1, not &apos;%2&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--clock takes the clock in hertz, from 100000 to 20000000, not &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>which program? Give the file the editor wrote</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>one program at a time, not &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>: about %1 frames too many (%2 bytes a frame)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The timings assume a clock of %1 (--clock): set the chip&apos;s fuses or crystal for it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The timings assume the board&apos;s %1 crystal.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The timings assume the factory clock of the %1: its internal RC oscillator at 1 MHz (fuses as delivered).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no frame of this program shows under any buttons</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--buttons %1 shows the %1 sequence (%2 passes a round)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>program %1 of %2 in the file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the last program of the file is unfinished</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>too large to build (over %1 MB of code)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--compact needs a program as the editor writes it; this one was edited by hand</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unrolled %1; compact %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sizes: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the compact build shows what %1 shows, under BP1, BP2, BP3 and Aucun</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--compact builds it as a table of frames in flash, which holds up to %1 frames</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the build for the %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the build for the %1 shows what %2 shows, under BP1, BP2, BP3 and Aucun</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (program %2 of %3), buttons %4; %5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, buttons %2; %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>wrote %1; to put it into the chip:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(--verbose shows avrdude&apos;s messages)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(--verbose shows the compiler&apos;s messages)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ledcube::player::FlashDialog</name>
    <message>
        <source>the unrolled build does not fit the chip: the compact build is flashed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the compact build needs a program as the editor writes it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unrolled (the generated program)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compact (the frames as a table)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Flash</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>avrdude&apos;s messages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Put on the cube — %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The serial port of the board or programmer; a board&apos;s USB name is shown beside it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Chip or board:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Programmer:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Serial port:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Build:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>building…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>stopped before anything was written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>writing to the %1…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>verifying…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ledcube::player::FramePanel</name>
    <message>
        <source>%1 sequence %2 of %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 sequence</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1    %2 ms · 1 pass</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1    %2 ms · %3 passes</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ledcube::player::PlayerEngine</name>
    <message>
        <source>no key for the %1 sequence</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 for the %2 sequence</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no recorded frame shows under any buttons</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no sequence plays under these buttons: press %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>: the file cannot be read; waiting for it to change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>: the file is gone; waiting for it to come back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>waiting for %1 to be created</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>; compact build about %1 bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the program as edited in the player</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the last of the %1 programs in the file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>still being recorded: plays as far as it goes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>showing the selected frame</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>following the recording: no button held (Aucun sequence)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>following the recording: %1 held</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the compact build needs a program as the editor writes it; this one was edited by hand</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>; the Compact build holds up to %1 frames</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>compact build: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ledcube::player::PlayerWindow</name>
    <message>
        <source>ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The duration of the selected frames in milliseconds (Enter sets it)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Duration:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move frames</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cube programs (*.c);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;New program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save &amp;as…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Reload the file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Put on the c&amp;ube…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete sequence</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>D&amp;uplicate after</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Insert an empty frame after</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert empty frame</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move &amp;up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move do&amp;wn</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;New sequence</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C&amp;hange the sequence&apos;s buttons</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New %1 sequence</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make it a %1 sequence</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete the sequence and its frames</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Transform</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Duplicate and…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Duplicate and %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Frame panel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turn LED %1 on or off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set the duration to %1 ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing to paste: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>new program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1[*] — LED cube player</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>edited copy of %1 — no longer following the file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The new program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has edits that are not saved. Save them?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A new program: not saved yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No program open: open one, or drop a file here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pause</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Step</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LED cube player</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Held while you hold it or key %1; Shift-click holds it until the next Shift-click</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pause or play on (Space)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>While paused: on to the next layer slot (Right arrow)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Simulated time against real time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compact build</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play the compact build (ledcube-sim --compact): the frames as a table in flash</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The chip or board the firmware is built for (ledcube-sim --chip)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Speed:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cube time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Showing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sizes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hold a button with the mouse or keys 1, 2, 3; Shift-click latches it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the only program in the file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open a cube program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shift right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shift left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shift to the back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shift to the front</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shift up a layer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shift down a layer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turn clockwise (seen from above)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turn anticlockwise (seen from above)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mirror left ↔ right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mirror back ↔ front</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mirror top ↔ bottom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cut frame</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cut %1 frames</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete frame</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete %1 frames</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Duplicate frame</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Duplicate %1 frames</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste frame</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste %1 frames</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
