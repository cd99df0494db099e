C     Draws two pages through mach and its GKS layer: a plotted curve with axes, markers,
C     filled and hatched areas and text, then the colour table of inigks.
      program demo
      parameter (n = 121)
      real x(n), y(n), px(13), py(13)
      character*2 label

C     Page 1. inigks opens zemka.ps and sets the window to -2..13 in x and y.
      call inigks
      call gschh(0.45)
      call gstxal(2, 4)
      call gtx(5.5, 12.2, 'mach demo: y = 6 + 4 sin x')

C     Axes with ticks and labels.
      call gslwsc(1.5)
      px(1) = 0.0
      py(1) = 11.0
      px(2) = 0.0
      py(2) = 0.0
      px(3) = 12.5
      py(3) = 0.0
      call gpl(3, px, py)
      call gschh(0.3)
      call gstxal(2, 1)
      do 10 i = 0, 12, 2
        px(1) = real(i)
        py(1) = 0.0
        px(2) = real(i)
        py(2) = -0.25
        call gpl(2, px, py)
        write (label, '(I2)') i
        call gtx(real(i), -0.4, label)
   10 continue
      call gschup(-1.0, 0.0)
      call gstxal(2, 5)
      call gtx(-0.6, 5.5, 'y')
      call gschup(0.0, 1.0)

C     A dashed grey reference line at the curve's mean.
      call gsln(2)
      call gslwsc(1.0)
      call gsplci(11)
      px(1) = 0.0
      py(1) = 6.0
      px(2) = 12.0
      py(2) = 6.0
      call gpl(2, px, py)
      call gsln(1)

C     The curve in red, and blue circles at the integers.
      do 20 i = 1, n
        x(i) = 0.1 * real(i - 1)
        y(i) = 6.0 + 4.0 * sin(x(i))
   20 continue
      call gslwsc(3.0)
      call gsplci(2)
      call gpl(n, x, y)
      call gsmk(4)
      call gsmksc(2.0)
      call gspmci(4)
      do 30 i = 1, 13
        px(i) = x(10 * i - 9)
        py(i) = y(10 * i - 9)
   30 continue
      call gpm(13, px, py)

C     A solid green hexagon and an orange cross-hatched rectangle.
      do 40 i = 1, 6
        px(i) = 10.5 + cos(1.0472 * real(i))
        py(i) = 10.5 + sin(1.0472 * real(i))
   40 continue
      call gsfais(1)
      call gsfaci(3)
      call gfa(6, px, py)
      px(1) = 0.5
      py(1) = 0.5
      px(2) = 3.5
      py(2) = 0.5
      px(3) = 3.5
      py(3) = 2.5
      px(4) = 0.5
      py(4) = 2.5
      call gsfais(3)
      call gsfasi(5)
      call gsfaci(5)
      call gfa(4, px, py)
      call gsfais(0)
      call gsfaci(1)
      call gfa(4, px, py)

C     Page 2: a second inigks starts a new page in the same file.
      call inigks
      call gstxci(1)
      call gschh(0.45)
      call gstxal(2, 3)
      call gtx(5.5, 12.0, 'colour indices 2 to 11')
      call gsfais(1)
      call gschh(0.35)
      call gstxal(2, 1)
      do 50 k = 2, 11
        x0 = real(mod(k - 2, 5)) * 2.4
        y0 = 7.0 - real((k - 2) / 5) * 4.0
        px(1) = x0
        py(1) = y0
        px(2) = x0 + 2.0
        py(2) = y0
        px(3) = x0 + 2.0
        py(3) = y0 + 2.5
        px(4) = x0
        py(4) = y0 + 2.5
        call gsfaci(k)
        call gfa(4, px, py)
        write (label, '(I2)') k
        call gtx(x0 + 1.0, y0 - 0.2, label)
   50 continue
C     Text down a column, in purple.
      call gstxci(9)
      call gstxp(3)
      call gstxal(0, 0)
      call gtx(12.3, 11.0, 'GKS')
      call endgks
      end
