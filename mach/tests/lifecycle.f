C     The graphics life cycle of mach as the solver library sees it through the common blocks:
C     zero at start, endgks alone, two inigks calls on one file, endgks.
      program lifecy
      integer kvrgks, kvrcol, clog(2)
      real kvrfac
      common /kvrgks/ kvrgks
      common /kvrfac/ kvrfac
      common /kvrcol/ kvrcol
      common /clogks/ clog
      integer nbad
      common /bad/ nbad
      logical there
      real x(2), y(2)
      data x /0.0, 10.0/, y /0.0, 10.0/
      nbad = 0

      call expect(0, 0.0, 0, 'at start')
      call endgks
      call expect(0, 0.0, 0, 'after endgks without inigks')
      inquire (file='zemka.ps', exist=there)
      if (there) call fail('endgks without inigks created zemka.ps')

      call inigks
      call expect(1, 1.0, 1, 'after inigks')
      inquire (file='zemka.ps', exist=there)
      if (.not. there) call fail('inigks did not create zemka.ps')
C     Page 1. Then a colour that a second inigks must not reload, and flags that show what it sets.
      call gpl(2, x, y)
      call gscr(1, 2, 0.25, 0.5, 0.75)
      kvrfac = 0.0
      kvrcol = 0
      call inigks
      call expect(1, 1.0, 0, 'after the second inigks')
C     Page 2, in the redefined colour.
      call gsplci(2)
      call gpl(2, x, y)
      call endgks
      call expect(1, 1.0, 0, 'after endgks')
      if (nbad .ne. 0) stop 1
      end

      subroutine expect(igks, fac, icol, when)
      integer igks, icol
      real fac
      character*(*) when
      integer kvrgks, kvrcol, clog(2)
      real kvrfac
      common /kvrgks/ kvrgks
      common /kvrfac/ kvrfac
      common /kvrcol/ kvrcol
      common /clogks/ clog
      if (kvrgks .ne. igks .or. kvrfac .ne. fac .or. kvrcol .ne. icol
     &    .or. clog(1) .ne. 0 .or. clog(2) .ne. 0) then
        write (*,*) when, ': kvrgks, kvrfac, kvrcol, clogks = ',
     &              kvrgks, kvrfac, kvrcol, clog
        call fail('unexpected common block values')
      end if
      end

      subroutine fail(what)
      character*(*) what
      integer nbad
      common /bad/ nbad
      write (*,*) 'FAILED: ', what
      nbad = nbad + 1
      end
