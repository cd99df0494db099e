C     Draws one line through mach. With the argument "noend" it stops without calling endgks.
      program draw
      character*8 arg
      real x(3), y(3)
      data x /0.0, 5.0, 10.0/, y /0.0, 10.0, 0.0/
      call get_command_argument(1, arg)
      call inigks
      call gpl(3, x, y)
      write (*,*) 'drawn'
      if (arg .ne. 'noend') call endgks
      end
